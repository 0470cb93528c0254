#include "console/ConsoleProgram.h"

#include "console/ConsoleArguments.h"
#include "console/ConsoleStream.h"
#include "console/InstalledProducts.h"
#include "console/RemovalCommand.h"
#include "console/RestoreCommand.h"
#include "console/ScanCommand.h"
#include "foundation/FileSystem.h"
#include "foundation/ProcessStart.h"

namespace {

int badArguments(const String& error, ConsoleStream& err)
{
    err.writeLine("VxUninstallCli: " + error + ".");
    err.writeLine("");
    err.write(usageText());
    return ERROR_INVALID_PARAMETER;
}

} // namespace

int runConsoleProgram(const std::vector<String>& arguments, ConsoleStream& out, ConsoleStream& err)
{
    ConsoleArguments parsed;
    String error;
    if (!parseArguments(arguments, parsed, error))
        return badArguments(error, err);
    switch (parsed.command) {
    case ConsoleArguments::Command::list: return listProducts(parsed.json, out, err);
    case ConsoleArguments::Command::scan: return scanTraces(parsed.json, out, err);
    case ConsoleArguments::Command::restore:
        parsed.backupPath = fullPathName(parsed.backupPath);
        enterSystemFolder();
        return restoreFromBackup(parsed.backupPath, parsed.force, out, err);
    case ConsoleArguments::Command::remove:
    case ConsoleArguments::Command::clean:
        // A relative log name means the folder the command was given in. One that
        // cannot be resolved is kept as given, for the log's open to refuse.
        if (parsed.logPath.length() > 0 && fullPathName(parsed.logPath).length() > 0)
            parsed.logPath = fullPathName(parsed.logPath);
        // So does a relative backup folder; one that cannot be resolved is refused
        // now, before the process leaves the folder it was started in.
        if (parsed.backupPath.length() > 0 && (parsed.backupPath = fullPathName(parsed.backupPath)).length() == 0)
            return badArguments("the backup folder cannot be resolved", err);
        if (parsed.installFolder.length() > 0 &&
            (parsed.installFolder = fullPathName(parsed.installFolder)).length() == 0)
            return badArguments("the installation folder cannot be resolved", err);
        enterSystemFolder();
        return RemovalCommand(parsed, out, err).run();
    default: out.write(usageText()); return ERROR_SUCCESS;
    }
}
