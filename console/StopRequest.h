// Ctrl+C, Ctrl+Break, the closing of the console window, logoff and shutdown,
// taken as a request to stop the removal between two items rather than as the
// end of the process in the middle of one. While the object lives it answers
// the console's control events, and a hidden window of its own answers the end
// of the session: a program that loads USER32 is told logoff and shutdown only
// through a window. One object at a time per process.
#pragma once

#include "foundation/KernelHandle.h"

#include <windows.h>

class LogFile;

// Thrown between two items once a stop has been asked for.
struct RunInterrupted {
    const char* by; // "Ctrl+C", "Ctrl+Break", "the closing of the console", "logoff", "shutdown"
};

class StopRequest {
public:
    // Each request is written to log as it comes, from the thread that brings it.
    explicit StopRequest(LogFile& log);
    // Ends the watching, and lets a process end that was held back for the run.
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    // Throws RunInterrupted when a stop has been asked for.
    void check() const;

private:
    static DWORD WINAPI watchSession(void* stopWatching);

    KernelHandle stopWatching;
    KernelHandle sessionThread;
};
