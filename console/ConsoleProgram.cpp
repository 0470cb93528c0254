#include "console/ConsoleProgram.h"

#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"
#include "app/UninstallFolders.h"
#include "console/ConsoleArguments.h"
#include "console/ConsoleStream.h"
#include "console/DeletingActions.h"
#include "console/LogFile.h"
#include "console/ProgressLine.h"
#include "console/RemovalJournal.h"
#include "app/RemovalMutex.h"
#include "console/RunPlan.h"
#include "console/SimulatedActions.h"
#include "console/SystemErrors.h"
#include "foundation/FileSystem.h"
#include "foundation/RegistryKey.h"
#include "toolkit/SystemLibraries.h"

#include <memory>

namespace {

const char uninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool isInstalled(const ProductRecord& product)
{
    return RegistryKey(HKEY_LOCAL_MACHINE).exists(uninstallKeyPath + product.displayName);
}

// The installation folder as a run works it out; false, with why there is none.
bool findInstallationFolder(const ProductRecord& product, String& folder, String& why)
{
    RegistryKey entry(HKEY_LOCAL_MACHINE);
    String icon;
    if (!entry.open(uninstallKeyPath + product.displayName, false))
        why = "the uninstall entry cannot be opened";
    else if (!entry.hasValue("DisplayIcon"))
        why = "the uninstall entry has no \"DisplayIcon\" value";
    else if (!entry.readText("DisplayIcon", icon))
        why = "\"DisplayIcon\" is not a string value";
    else if ((folder = installFolderFromIcon(icon)).length() == 0)
        why = "\"DisplayIcon\" names none: " + icon;
    return folder.length() > 0;
}

int listProducts(ConsoleStream& out, ConsoleStream& err)
{
    ProductRecordList catalogue;
    buildCatalogue(catalogue);
    int listed = 0;
    for (int i = 0; i < catalogue.count(); ++i) {
        const ProductRecord& product = *catalogue.item(i);
        if (!isInstalled(product))
            continue;
        String folder, why;
        if (!findInstallationFolder(product, folder, why))
            folder = "(no installation folder: " + why + ")";
        out.writeLine(product.modelCode + "\t" + product.displayName + "\t" + folder);
        ++listed;
    }
    if (listed == 0)
        err.writeLine("No Vantorix T5 product is installed.");
    return 0;
}

// The run itself, with the product found and installed.
int runRemoval(const ConsoleArguments& arguments, const ProductRecord& product, LogFile& log, ConsoleStream& out,
               ConsoleStream& err)
{
    const KeepOptions keep = arguments.keep;
    bool keepsSomething = keep.data || keep.shared || keep.plugins;
    // What is kept is listed item by item where every item is listed.
    std::unique_ptr<RunPlan> everything;
    if (keepsSomething && (arguments.dryRun || log.isOpen()))
        everything.reset(new RunPlan(&product, KeepOptions{false, false, false}));
    ProgressLine progress(err);
    if (progress.isEnabled() && !arguments.dryRun)
        progress.start(RunPlan(&product, keep).itemCount());
    RemovalJournal journal(out, log, progress, arguments.dryRun, everything.get());
    SimulatedActions simulated(journal);
    DeletingActions deleting(journal, !arguments.noRestart);
    UninstallActions& actions = arguments.dryRun ? static_cast<UninstallActions&>(simulated) : deleting;
    bool completed = UninstallRun(&product, keep, journal, &actions).run();
    progress.hide();
    if (!completed)
        return ERROR_UNKNOWN_PRODUCT;
    journal.note(journal.closingLine());
    return journal.exitCode();
}

// A run whose log lost lines did not do all it was asked: success becomes 1603.
int withLogChecked(const LogFile& log, int exitCode, ConsoleStream& err)
{
    if (log.writeError() == 0)
        return exitCode;
    err.writeLine("Writing to the log file failed: " + errorText(log.writeError()) + "; it is incomplete.");
    return exitCode == ERROR_SUCCESS || exitCode == ERROR_SUCCESS_REBOOT_REQUIRED ? ERROR_INSTALL_FAILURE : exitCode;
}

int removeProduct(const ConsoleArguments& arguments, ConsoleStream& out, ConsoleStream& err)
{
    LogFile log;
    String why;
    if (arguments.logPath.length() > 0 && !log.open(arguments.logPath, why)) {
        err.writeLine("The log file " + arguments.logPath + " cannot be used: " + why + ".");
        return ERROR_INSTALL_LOG_FAILURE;
    }
    String request = "remove " + arguments.model + (arguments.dryRun ? " (dry run)" : "");
    log.writeLine(request + ": started");
    int exitCode = ERROR_SUCCESS;
    // The dry run too: its listing describes a machine that nobody is changing.
    RemovalMutex mutex;
    ProductRecordList catalogue;
    buildCatalogue(catalogue);
    const ProductRecord* product = findProductByModelCode(catalogue, arguments.model.toUpper());
    String folder;
    if (!mutex.isHeld()) {
        err.writeLine("Another removal is running; try again when it has finished.");
        exitCode = ERROR_INSTALL_ALREADY_RUNNING;
    } else if (!product) {
        err.writeLine("Unknown model code " + arguments.model + ": the codes are T520, T530, T530MCH, T550 and T540.");
        exitCode = ERROR_UNKNOWN_PRODUCT;
    } else if (!isInstalled(*product)) {
        err.writeLine(product->displayName + " is not installed.");
        exitCode = ERROR_UNKNOWN_PRODUCT;
    } else if (!findInstallationFolder(*product, folder, why)) {
        // Nothing of it is removed, and it stays listed: once the value is
        // mended, a later run removes all of it.
        String line = "Nothing of " + product->displayName + " was removed: its installation folder cannot be " +
                      "worked out (" + why + ").";
        err.writeLine(line);
        log.writeLine(line);
        exitCode = ERROR_INSTALL_FAILURE;
    } else {
        out.writeLine((arguments.dryRun ? "Dry run of the removal of " : "Removing ") + product->displayName + ".");
        out.flush();
        exitCode = runRemoval(arguments, *product, log, out, err);
    }
    log.writeLine(request + ": finished with exit code " + String::fromInt(exitCode));
    return withLogChecked(log, exitCode, err);
}

} // namespace

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
    case ConsoleArguments::Command::list: return listProducts(out, err);
    case ConsoleArguments::Command::remove:
        // A relative log name means the folder the command was given in. One that
        // cannot be resolved is kept as given, for the log's open to refuse.
        if (parsed.logPath.length() > 0 && fullPathName(parsed.logPath).length() > 0)
            parsed.logPath = fullPathName(parsed.logPath);
        enterSystemFolder();
        return removeProduct(parsed, out, err);
    default: out.write(usageText()); return ERROR_SUCCESS;
    }
}
