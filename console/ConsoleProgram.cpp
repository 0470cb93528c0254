#include "console/ConsoleProgram.h"

#include "console/ConsoleArguments.h"
#include "console/ConsoleStream.h"
#include "console/InstalledProducts.h"
#include "console/RemovalCommand.h"
#include "console/RestoreCommand.h"
#include "console/ScanCommand.h"
#include "foundation/FileSystem.h"
#include "toolkit/SystemLibraries.h"

int runConsoleProgram(const std::vector<String>& arguments, ConsoleStream& out, ConsoleStream& err)
{
    ConsoleArguments parsed;
    String error;
    if (!parseArguments(arguments, parsed, error)) {
        err.writeLine("VxUninstallCli: " + error + ".");
        err.writeLine("");
        err.write(usageText());
        return ERROR_INVALID_PARAMETER;
    }
    switch (parsed.command) {
    case ConsoleArguments::Command::list: return listProducts(parsed.json, out, err);
    case ConsoleArguments::Command::scan: return scanTraces(parsed.json, out, err);
    case ConsoleArguments::Command::restore:
        parsed.backupPath = fullPathName(parsed.backupPath);
        enterSystemFolder();
        return restoreFromBackup(parsed.backupPath, parsed.force, out, err);
    case ConsoleArguments::Command::remove:
        // A relative log name means the folder the command was given in. One that
        // cannot be resolved is kept as given, for the log's open to refuse.
        if (parsed.logPath.length() > 0 && fullPathName(parsed.logPath).length() > 0)
            parsed.logPath = fullPathName(parsed.logPath);
        enterSystemFolder();
        return RemovalCommand(parsed, out, err).run();
    default: out.write(usageText()); return ERROR_SUCCESS;
    }
}
