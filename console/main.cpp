// Entry point of the console uninstaller.
#include "console/ConsoleProgram.h"
#include "console/ConsoleStream.h"

#include <windows.h>

int main(int argc, char** argv)
{
    std::vector<String> arguments(argv + 1, argv + argc);
    ConsoleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
    ConsoleStream err(GetStdHandle(STD_ERROR_HANDLE));
    return runConsoleProgram(arguments, out, err);
}
