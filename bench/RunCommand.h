// Runs a command line of the system's own tools and waits for it: the references
// that the benchmarks measure against.
#pragma once

#include <windows.h>

#include <string>

// The exit code of the command, or -1 when it could not be started.
inline long runCommand(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string writable = commandLine;
    if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}
