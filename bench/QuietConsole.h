// The console program run in this process with its output going nowhere, as in a
// deployment script that ignores it, so that the figures are its work.
#pragma once

#include "console/ConsoleProgram.h"
#include "console/ConsoleStream.h"
#include "foundation/KernelHandle.h"

#include <windows.h>

#include <vector>

inline int runConsoleQuietly(const std::vector<String>& arguments)
{
    KernelHandle nowhere(CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ConsoleStream out(nowhere.get());
    ConsoleStream err(nowhere.get());
    int exitCode = runConsoleProgram(arguments, out, err);
    out.flush();
    return exitCode;
}
