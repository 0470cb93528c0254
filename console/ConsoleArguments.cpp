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

// Each option of remove with the field it sets; --log, the one that takes a
// value, is read apart.
struct Flag {
    const char* name;
    bool ConsoleArguments::*field;
};

const Flag flags[] = {{"--dry-run", &ConsoleArguments::dryRun},
                      {"--no-restart", &ConsoleArguments::noRestart},
                      {"--json", &ConsoleArguments::json}};

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

// One option; false when it is none of them, is given twice, or lacks its value.
// A value that looks like an option is one: "--log --dry-run" names no file.
bool readOption(const std::vector<String>& arguments, size_t& i, ConsoleArguments& parsed,
                std::set<std::string>& seen, String& error)
{
    const String& option = arguments[i];
    std::string name(option.cStr());
    CharLowerBuffA(&name[0], static_cast<DWORD>(name.size()));
    if (!seen.insert(name).second) {
        error = option + " is given twice";
        return false;
    }
    if (keepOption(option, parsed))
        return true;
    for (const Flag& flag : flags)
        if (is(option, flag.name)) {
            parsed.*flag.field = true;
            return true;
        }
    if (!is(option, "--log")) {
        error = "unknown option " + option;
        return false;
    }
    if (i + 1 >= arguments.size() || arguments[i + 1].length() == 0 || isOption(arguments[i + 1])) {
        error = "--log needs the name of a file";
        return false;
    }
    parsed.logPath = arguments[++i];
    return true;
}

bool readRemove(const std::vector<String>& arguments, ConsoleArguments& parsed, String& error)
{
    std::set<std::string> seen;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (isOption(arguments[i])) {
            if (!readOption(arguments, i, parsed, seen, error))
                return false;
        } else if (parsed.model.length() == 0) {
            parsed.model = arguments[i];
        } else {
            error = "remove takes one model code";
            return false;
        }
    }
    if (parsed.model.length() == 0)
        error = "remove needs a model code";
    return parsed.model.length() > 0;
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
    if (is(arguments[0], "remove")) {
        parsed.command = ConsoleArguments::Command::remove;
        return readRemove(arguments, parsed, error);
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
           "  VxUninstallCli --help | /?\r\n"
           "\r\n"
           "Commands:\r\n"
           "  list              one line per installed product: model code, name and\r\n"
           "                    installation folder, separated by tabs\r\n"
           "  remove MODEL      removes the product with that model code (T520, T530,\r\n"
           "                    T530MCH, T550, T540; any case)\r\n"
           "\r\n"
           "Options of remove (memory and data files, shared files and plug-ins are kept\r\n"
           "unless asked for; with all three options the installation folder goes too):\r\n"
           "  --remove-data     also deletes the memory and data files\r\n"
           "  --remove-shared   also deletes the libraries shared with other products\r\n"
           "  --remove-plugins  also deletes the plug-in system: its key and its folder\r\n"
           "  --dry-run         lists every item the removal would delete, keep or refuse,\r\n"
           "                    with the outcome and exit code the removal would have,\r\n"
           "                    and changes nothing\r\n"
           "  --log FILE        appends every step and item with its outcome to FILE\r\n"
           "  --no-restart      never schedules an item in use for deletion at the next\r\n"
           "                    restart: it is reported as failed instead\r\n"
           "  --json            (list and remove) prints one JSON document on standard\r\n"
           "                    output and nothing else there: the products, or every\r\n"
           "                    item with its path, kind, outcome and error code, the\r\n"
           "                    exit code and whether a restart is needed\r\n"
           "\r\n"
           "Exit codes:\r\n"
           "  0     done\r\n"
           "  3010  done; a restart completes the removal\r\n"
           "  1602  interrupted between two items (Ctrl+C, Ctrl+Break, the console closed,\r\n"
           "        logoff or shutdown); the log ends saying so\r\n"
           "  1603  something stayed (not removed, not scheduled); the product stays listed\r\n"
           "  1605  the product is not installed, or the model code is unknown\r\n"
           "  1618  another removal is running\r\n"
           "  1622  the log file cannot be opened, or is a link or has other hard links\r\n"
           "  87    bad arguments\r\n";
}
