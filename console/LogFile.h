// The removal log: lines of text, each after the local time it was written, added
// to the end of the file and never truncating it. Lines are gathered and written
// when asked, when many are waiting and when the log is closed.
#pragma once

#include "foundation/KernelHandle.h"
#include "foundation/String.h"

#include <string>

class LogFile {
public:
    LogFile() = default;
    // Writes what is still gathered.
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Opens or creates the file for appending; others may read and append too.
    // False, with the system's error from GetLastError, when it cannot be.
    bool open(const String& path);
    bool isOpen() const { return file.isOpen(); }
    // One line, "YYYY-MM-DD hh:mm:ss.mmm " before text; nothing when not open.
    void writeLine(const String& text);
    void flush();

private:
    KernelHandle file;
    std::string pending;
};
