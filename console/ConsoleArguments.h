// The command line of the console program: what it is asked to do.
#pragma once

#include "app/UninstallRun.h"
#include "foundation/String.h"

#include <vector>

struct ConsoleArguments {
    enum class Command { help, list, remove, restore, scan, clean };
    Command command = Command::help;
    String model;        // remove, clean: the model code as given
    KeepOptions keep;    // each --remove-... option turns one off
    bool dryRun = false;
    bool noRestart = false;
    bool json = false;   // one JSON document on standard output instead of lines
    String logPath;      // empty: no log
    String backupPath;   // remove, clean: where each item is saved first; restore: what is put back
    String installFolder; // clean: the installation folder to clean too
    bool allUsers = false; // remove, clean: the group and shortcuts of every profile too
    bool force = false;  // restore: overwrite what changed since
};

// Reads the arguments after the program name. Commands and options are compared
// without regard to case; "--help" or "/?" anywhere asks for the usage text.
// False, with what is wrong in error, for arguments that make no command: among
// them an option given twice, an option the command does not take, and --log,
// --backup or --install-folder followed by nothing or by an option.
bool parseArguments(const std::vector<String>& arguments, ConsoleArguments& parsed, String& error);

// Usage, commands, options and exit codes, as shown by --help.
const char* usageText();
