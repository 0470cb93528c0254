// One standard stream of the process. Text is ANSI: a console is given it as
// UTF-16, so that it shows the characters the ANSI code page means; a file or
// a pipe gets the bytes. Output to a file or pipe is gathered and written in
// large pieces; a console is written at each line.
#pragma once

#include "foundation/String.h"

#include <windows.h>

#include <string>

class ConsoleStream {
public:
    // The handle stays the caller's; it may be null or invalid (nothing is written).
    explicit ConsoleStream(HANDLE handle);
    ~ConsoleStream();
    ConsoleStream(const ConsoleStream&) = delete;
    ConsoleStream& operator=(const ConsoleStream&) = delete;

    bool isConsole() const { return console; }
    void write(const String& text);
    // text followed by CR LF.
    void writeLine(const String& text);
    void flush();

private:
    HANDLE handle;
    bool console;
    std::string pending;
};
