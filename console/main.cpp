// Entry point of the console uninstaller.
#include "console/ConsoleProgram.h"
#include "console/ConsoleStream.h"
#include "toolkit/SystemLibraries.h"

#include <windows.h>

int main(int argc, char** argv)
{
    // Before anything can load a DLL on the process's behalf. The current folder
    // is left only once a relative log name has been resolved against it.
    restrictDllSearch();
    std::vector<String> arguments(argv + 1, argv + argc);
    ConsoleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
    ConsoleStream err(GetStdHandle(STD_ERROR_HANDLE));
    return runConsoleProgram(arguments, out, err);
}
