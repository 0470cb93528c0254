// The console program's commands: list the installed products, or remove one.
#pragma once

#include "foundation/String.h"

#include <vector>

class ConsoleStream;

// Runs the command that the arguments (after the program name) ask for and
// returns the process's exit code, as Windows Installer numbers them: 0 done,
// 3010 done with a restart to come, 1602 interrupted, 1603 something was left,
// 1605 not installed or unknown, 1618 another removal runs, 1622 the log cannot
// be opened or is refused, 87 bad arguments.
int runConsoleProgram(const std::vector<String>& arguments, ConsoleStream& out, ConsoleStream& err);
