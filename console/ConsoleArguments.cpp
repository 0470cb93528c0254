#include "console/ConsoleArguments.h"

#include <windows.h>

#include <set>
#include <string>

namespace {

bool is(const String& argument, const char* word)
{
    return lstrcmpiA(argument.cStr(), word) == 0;
}

bool isOption(const String& argument)
{
    return argument.at(0) == '-' || argument.at(0) == '/';
}

// Each option without a value with the field it sets, and the commands that take it.
struct Flag {
    const char* name;
    bool ConsoleArguments::*field;
    const char* commands;
};

const Flag flags[] = {{"--dry-run", &ConsoleArguments::dryRun, "remove clean"},
                      {"--no-restart", &ConsoleArguments::noRestart, "remove clean"},
                      {"--json", &ConsoleArguments::json, "remove clean scan"},
                      {"--all-users", &ConsoleArguments::allUsers, "remove clean"},
                      {"--force", &ConsoleArguments::force, "restore"}};

// The options that take a value: a path.
struct Valued {
    const char* name;
    String ConsoleArguments::*field;
    const char* commands;
};

const Valued valued[] = {{"--log", &ConsoleArguments::logPath, "remove clean"},
                         {"--backup", &ConsoleArguments::backupPath, "remove clean"},
                         {"--install-folder", &ConsoleArguments::installFolder, "clean"}};

bool takes(const char* commands, const String& command)
{
    std::string list = std::string(" ") + commands + " ";
    std::string name(command.cStr());
    CharLowerBuffA(&name[0], static_cast<DWORD>(name.size()));
    return list.find(" " + name + " ") != std::string::npos;
}

bool keepOption(const String& option, ConsoleArguments& parsed)
{
    bool* keep = is(option, "--remove-data")      ? &parsed.keep.data
                 : is(option, "--remove-shared")  ? &parsed.keep.shared
                 : is(option, "--remove-plugins") ? &parsed.keep.plugins
                                                  : nullptr;
    if (keep)
        *keep = false;
    return keep != nullptr;
}

// One option of command; false when it is none of its options, is given twice,
// or lacks its value. A value that looks like an option is one: "--log --dry-run"
// names no file.
bool readOption(const std::vector<String>& arguments, size_t& i, ConsoleArguments& parsed,
                std::set<std::string>& seen, String& error)
{
    const String& command = arguments[0];
    const String& option = arguments[i];
    std::string name(option.cStr());
    CharLowerBuffA(&name[0], static_cast<DWORD>(name.size()));
    if (!seen.insert(name).second) {
        error = option + " is given twice";
        return false;
    }
    if (takes("remove clean", command) && keepOption(option, parsed))
        return true;
    for (const Flag& flag : flags)
        if (is(option, flag.name) && takes(flag.commands, command)) {
            parsed.*flag.field = true;
            return true;
        }
    for (const Valued& each : valued) {
        if (!is(option, each.name) || !takes(each.commands, command))
            continue;
        if (i + 1 >= arguments.size() || arguments[i + 1].length() == 0 || isOption(arguments[i + 1])) {
            error = String(each.name) + (each.field == &ConsoleArguments::logPath ? " needs the name of a file"
                                                                                   : " needs the name of a folder");
            return false;
        }
        parsed.*each.field = arguments[++i];
        return true;
    }
    error = "unknown option " + option;
    return false;
}

// The command's options and its one operand (a model code or a folder), when it takes one.
bool readCommand(const std::vector<String>& arguments, ConsoleArguments& parsed, const char* command,
                 const char* operand, String ConsoleArguments::*field, String& error)
{
    std::set<std::string> seen;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (isOption(arguments[i])) {
            if (!readOption(arguments, i, parsed, seen, error))
                return false;
        } else if (field && (parsed.*field).length() == 0) {
            parsed.*field = arguments[i];
        } else {
            error = String(command) + (field ? String(" takes one ") + operand : String(" takes no operand"));
            return false;
        }
    }
    if (field && (parsed.*field).length() == 0) {
        error = String(command) + " needs a " + operand;
        return false;
    }
    return true;
}

} // namespace

bool parseArguments(const std::vector<String>& arguments, ConsoleArguments& parsed, String& error)
{
    parsed = ConsoleArguments();
    for (const String& argument : arguments)
        if (is(argument, "--help") || is(argument, "/?"))
            return true;
    if (arguments.empty()) {
        error = "no command given";
        return false;
    }
    if (is(arguments[0], "list")) {
        parsed.command = ConsoleArguments::Command::list;
        parsed.json = arguments.size() == 2 && is(arguments[1], "--json");
        if (arguments.size() > 1 && !parsed.json)
            error = "list takes no arguments but --json";
        return arguments.size() == 1 || parsed.json;
    }
    using Command = ConsoleArguments::Command;
    struct Known {
        const char* name;
        Command command;
        const char* operand;
        String ConsoleArguments::*field;
    };
    const Known commands[] = {{"remove", Command::remove, "model code", &ConsoleArguments::model},
                              {"clean", Command::clean, "model code", &ConsoleArguments::model},
                              {"restore", Command::restore, "backup folder", &ConsoleArguments::backupPath},
                              {"scan", Command::scan, "", nullptr}};
    for (const Known& known : commands)
        if (is(arguments[0], known.name)) {
            parsed.command = known.command;
            return readCommand(arguments, parsed, known.name, known.operand, known.field, error);
        }
    error = "unknown command " + arguments[0];
    return false;
}

const char* usageText()
{
    return "Removes a Vantorix T5 receiver application without windows.\r\n"
           "\r\n"
           "Usage:\r\n"
           "  VxUninstallCli list [--json]\r\n"
           "  VxUninstallCli remove MODEL [--remove-data] [--remove-shared] [--remove-plugins]\r\n"
           "                              [--dry-run] [--log FILE] [--no-restart] [--json]\r\n"
           "                              [--backup DIR] [--all-users]\r\n"
           "  VxUninstallCli restore DIR [--force]\r\n"
           "  VxUninstallCli scan [--json]\r\n"
           "  VxUninstallCli clean MODEL [--install-folder PATH] and the options of remove\r\n"
           "  VxUninstallCli --help | /?\r\n"
           "\r\n"
           "Commands:\r\n"
           "  list              one line per installed product: model code, name and\r\n"
           "                    installation folder, separated by tabs\r\n"
           "  remove MODEL      removes the product with that model code (T520, T530,\r\n"
           "                    T530MCH, T550, T540; any case)\r\n"
           "  restore DIR       puts back everything a removal saved with --backup DIR:\r\n"
           "                    files with their content, attributes and times, keys with\r\n"
           "                    every value; what changed since is left alone and reported\r\n"
           "                    unless --force is given\r\n"
           "  scan              one line per trace of each product found on the machine\r\n"
           "                    (model code, kind, path), whether or not it is installed\r\n"
           "  clean MODEL       removes what a product left behind once its uninstall\r\n"
           "                    entry is gone, as remove would; the installation folder\r\n"
           "                    only when given with --install-folder\r\n"
           "\r\n"
           "Options of remove and clean (memory and data files, shared files and plug-ins\r\n"
           "are kept unless asked for; with all three options the installation folder goes too):\r\n"
           "  --remove-data     also deletes the memory and data files\r\n"
           "  --remove-shared   also deletes the libraries shared with other products\r\n"
           "  --remove-plugins  also deletes the plug-in system: its key and its folder\r\n"
           "  --dry-run         lists every item the removal would delete, keep or refuse,\r\n"
           "                    with the outcome and exit code the removal would have,\r\n"
           "                    and changes nothing\r\n"
           "  --log FILE        appends every step and item with its outcome to FILE\r\n"
           "  --no-restart      never schedules an item in use for deletion at the next\r\n"
           "                    restart: it is reported as failed instead\r\n"
           "  --backup DIR      saves each item in DIR (new or empty, no link, not inside\r\n"
           "                    anything the removal deletes) before deleting it; an item\r\n"
           "                    that cannot be saved is not deleted\r\n"
           "  --all-users       also deletes the start-menu group and desktop shortcuts in\r\n"
           "                    every user profile\r\n"
           "  --install-folder PATH  (clean) the installation folder: accepted only when it\r\n"
           "                    holds one of the product's application files and is no\r\n"
           "                    protected folder\r\n"
           "  --json            (list, scan, remove and clean) prints one JSON document on\r\n"
           "                    standard output and nothing else there: the products, the\r\n"
           "                    traces, or every item with its path, kind, outcome and\r\n"
           "                    error code, the exit code and whether a restart is needed\r\n"
           "  --force           (restore) also overwrites files and values changed since\r\n"
           "\r\n"
           "Exit codes:\r\n"
           "  0     done\r\n"
           "  3010  done; a restart completes the removal\r\n"
           "  1602  interrupted between two items (Ctrl+C, Ctrl+Break, the console closed,\r\n"
           "        logoff or shutdown); the log ends saying so\r\n"
           "  1603  something stayed (not removed, not scheduled, or not saved by --backup;\r\n"
           "        for restore: not put back); the product stays listed\r\n"
           "  1605  the product is not installed, or the model code is unknown\r\n"
           "  1618  another removal (or restore) is running\r\n"
           "  1622  the log file cannot be opened, or is a link or has other hard links\r\n"
           "  87    bad arguments, an unusable backup folder or installation folder\r\n";
}
