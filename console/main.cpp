// Entry point of the console uninstaller.
#include "console/ConsoleProgram.h"
#include "console/ConsoleStream.h"
#include "console/SystemErrors.h"
#include "foundation/ProcessStart.h"

#include <windows.h>

int main(int argc, char** argv)
{
    // Before anything can load a DLL on the process's behalf. The current folder
    // is left only once a relative log name has been resolved against it.
    restrictDllSearch();
    std::vector<String> arguments(argv + 1, argv + argc);
    ConsoleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
    ConsoleStream err(GetStdHandle(STD_ERROR_HANDLE));
    // The removal catches what its run throws; this is for anything outside it.
    try {
        return runConsoleProgram(arguments, out, err);
    } catch (...) {
        err.writeLine("VxUninstallCli: stopped on an unexpected error: " + exceptionText());
        return ERROR_INSTALL_FAILURE;
    }
}
