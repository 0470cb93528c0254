// The removal log: lines of text, each after the local time it was written, added
// to the end of the file and never truncating it. Each line reaches the file
// before writeLine returns, so that a run that ends abruptly (a deployment tool's
// time-out, a closed console) leaves every line it wrote. Lines may come from
// more than one thread.
#pragma once

#include "foundation/CriticalSection.h"
#include "foundation/KernelHandle.h"
#include "foundation/String.h"

class LogFile {
public:
    LogFile() = default;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Opens or creates the file for appending; others may read and append too.
    // The program runs elevated and unattended, so a file anyone could have made
    // lead elsewhere is refused: a link (or a file reached through a link as its
    // folder) and a file with other hard links. A link put in place after the
    // open is not followed: the handle is the one written to. False, with why in
    // words, when the file cannot be opened or is refused.
    bool open(const String& path, String& why);
    bool isOpen() const { return file.isOpen(); }
    // One line, "YYYY-MM-DD hh:mm:ss.mmm " before text; nothing when not open.
    void writeLine(const String& text);
    // The system's error of the first write that failed; 0 while none has.
    DWORD writeError() const { return failure; }

private:
    bool refuses(HANDLE folder, String& why) const;

    CriticalSection lock;
    KernelHandle file;
    DWORD failure = 0;
};
