#include "console/RemovalCommand.h"

#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"
#include "app/RemovalMutex.h"
#include "app/UninstallEntry.h"
#include "console/BackupActions.h"
#include "console/BackupFolder.h"
#include "console/ConsoleArguments.h"
#include "console/DeletingActions.h"
#include "console/InstallFolderCheck.h"
#include "console/InstalledProducts.h"
#include "console/JsonDocuments.h"
#include "console/ProgramVersion.h"
#include "console/ProgressLine.h"
#include "console/RemovalJournal.h"
#include "console/RunPlan.h"
#include "console/SimulatedActions.h"
#include "console/StopRequest.h"
#include "console/SystemErrors.h"
#include "console/UserProfiles.h"

#include "foundation/PathText.h"

#include <memory>

RemovalCommand::RemovalCommand(const ConsoleArguments& arguments, ConsoleStream& out, ConsoleStream& err)
    : arguments(arguments), out(out), err(err), silent(nullptr), jsonOnly(arguments.json)
{
}

int RemovalCommand::run()
{
    String why;
    if (arguments.logPath.length() > 0 && !log.open(arguments.logPath, why))
        return finish(endEarly(ERROR_INSTALL_LOG_FAILURE,
                               "The log file " + arguments.logPath + " cannot be used: " + why + "."));
    log.writeLine(request() + ": started");
    // Held until the last line is written: an ending console or session waits for it.
    StopRequest watching(log);
    stop = &watching;
    int exitCode = ERROR_INSTALL_FAILURE;
    try {
        exitCode = removeOrRefuse();
    } catch (...) {
        exitCode = endEarly(ERROR_INSTALL_FAILURE, "The removal stopped on an unexpected error: " + exceptionText());
    }
    log.writeLine(request() + ": finished with exit code " + String::fromInt(exitCode));
    return finish(exitCode);
}

int RemovalCommand::removeOrRefuse()
{
    // The dry run too: its listing describes a machine that nobody is changing.
    RemovalMutex mutex;
    if (!mutex.isHeld())
        return endEarly(ERROR_INSTALL_ALREADY_RUNNING, "Another removal is running; try again when it has finished.");
    ProductRecordList catalogue;
    buildCatalogue(catalogue);
    const ProductRecord* product = findProductByModelCode(catalogue, arguments.model.toUpper());
    if (!product)
        return endEarly(ERROR_UNKNOWN_PRODUCT, "Unknown model code " + arguments.model +
                                                   ": the codes are T520, T530, T530MCH, T550 and T540.");
    productName = product->displayName;
    if (int refused = setUp(*product))
        return refused;
    String why;
    BackupFolder backup;
    if (arguments.backupPath.length() > 0 && !backup.create(arguments.backupPath, foldersDeleted(*product),
                                                            backupHeader(*product), why, arguments.dryRun))
        return endEarly(ERROR_INVALID_PARAMETER, "Nothing of " + productName + " was removed: the backup folder " +
                                                     arguments.backupPath + " cannot be used, as " + why + ".");
    const char* opening = cleaning() ? (arguments.dryRun ? "Dry run of the clean-up after " : "Cleaning up after ")
                                     : (arguments.dryRun ? "Dry run of the removal of " : "Removing ");
    lines().writeLine(opening + productName +
                      (backup.isOpen() ? " (each item saved in " + backup.path() + " first)." : String(".")));
    lines().flush();
    return removeInstalled(*product, backup);
}

int RemovalCommand::setUp(const ProductRecord& product)
{
    setup.keep = arguments.keep;
    if (arguments.allUsers)
        for (const UserProfile& profile : listedProfiles())
            setup.profiles.push_back(ShellFolders{profile.programsFolder, profile.desktopFolder});
    String folder, why;
    if (!cleaning()) {
        if (!isInstalled(product))
            return endEarly(ERROR_UNKNOWN_PRODUCT, productName + " is not installed.");
        // Nothing of it is removed, and it stays listed: once the value is mended, a
        // later run removes all of it.
        if (!findInstallationFolder(product, folder, why))
            return endEarly(ERROR_INSTALL_FAILURE, "Nothing of " + productName +
                                                       " was removed: its installation folder cannot be worked out (" +
                                                       why + ").");
        return 0;
    }
    if (isInstalled(product))
        return endEarly(ERROR_INVALID_PARAMETER, productName + " is installed: \"remove " + product.modelCode +
                                                     "\" removes it with its uninstall entry.");
    if (arguments.installFolder.length() > 0 &&
        (folder = acceptedInstallFolder(product, arguments.installFolder, why)).length() == 0)
        return endEarly(ERROR_INVALID_PARAMETER, "Nothing was cleaned up: " + why + ".");
    setup.withoutEntry = true;
    setup.installFolder = folder;
    return 0;
}

bool RemovalCommand::cleaning() const
{
    return arguments.command == ConsoleArguments::Command::clean;
}

std::vector<String> RemovalCommand::foldersDeleted(const ProductRecord& product) const
{
    RunPlan plan(&product, setup);
    std::vector<String> folders;
    for (int step = 0; step <= static_cast<int>(UninstallStep::uninstallEntries); ++step)
        for (const String& item : plan.deletionsOf(static_cast<UninstallStep>(step)))
            if (endsWithBackslash(item))
                folders.push_back(item);
    return folders;
}

Manifest RemovalCommand::backupHeader(const ProductRecord& product) const
{
    Manifest header;
    header.product = product.displayName;
    header.model = product.modelCode;
    const KeepOptions& keep = arguments.keep;
    header.options = String(keep.data ? "" : " --remove-data") + (keep.shared ? "" : " --remove-shared") +
                     (keep.plugins ? "" : " --remove-plugins") + (arguments.noRestart ? " --no-restart" : "") +
                     (arguments.allUsers ? " --all-users" : "");
    header.options = header.options.length() > 0 ? header.options.mid(1, header.options.length() - 1) : String("");
    header.time = manifestTime();
    header.version = programVersion();
    return header;
}

int RemovalCommand::removeInstalled(const ProductRecord& product, BackupFolder& backup)
{
    const KeepOptions keep = arguments.keep;
    bool keepsSomething = keep.data || keep.shared || keep.plugins;
    // What is kept is listed item by item where every item is listed.
    std::unique_ptr<RunPlan> everything;
    RunSetup keepingNothing = setup;
    keepingNothing.keep = KeepOptions{false, false, false};
    if (keepsSomething && (arguments.dryRun || log.isOpen() || jsonOnly))
        everything.reset(new RunPlan(&product, keepingNothing));
    ProgressLine progress(err);
    if (progress.isEnabled() && !arguments.dryRun)
        progress.start(RunPlan(&product, setup).itemCount());
    RemovalJournal journal(lines(), log, progress, arguments.dryRun, everything.get(), stop);
    SimulatedActions simulated(journal, !arguments.noRestart);
    DeletingActions deleting(journal, !arguments.noRestart);
    BackupActions backingUp(journal, !arguments.noRestart, backup);
    UninstallActions& actions = arguments.dryRun    ? static_cast<UninstallActions&>(simulated)
                                : backup.isOpen() ? backingUp
                                                  : deleting;
    int exitCode = journal.runAndClose([&] {
        UninstallRun run(&product, keep, journal, &actions);
        setup.applyTo(run);
        return run.run();
    });
    summary = journal.closing();
    items = jsonItems(journal.items());
    messages = jsonStrings(journal.messages());
    restartNeeded = journal.count(ItemOutcome::scheduled) > 0;
    return exitCode;
}

int RemovalCommand::endEarly(int exitCode, const String& why)
{
    err.writeLine(why);
    log.writeLine(why);
    summary = why;
    return exitCode;
}

// A run whose log lost lines did not do all it was asked: success becomes 1603.
int RemovalCommand::finish(int exitCode)
{
    if (log.writeError() != 0) {
        err.writeLine("Writing to the log file failed: " + errorText(log.writeError()) + "; it is incomplete.");
        if (exitCode == ERROR_SUCCESS || exitCode == ERROR_SUCCESS_REBOOT_REQUIRED)
            exitCode = ERROR_INSTALL_FAILURE;
    }
    if (jsonOnly)
        out.writeLine(document(exitCode));
    return exitCode;
}

String RemovalCommand::document(int exitCode) const
{
    return "{\"command\":\"" + String(cleaning() ? "clean" : "remove") +
           "\",\"model\":" + jsonString(arguments.model) +
           ",\"product\":" + (productName.length() > 0 ? jsonString(productName) : String("null")) +
           ",\"dryRun\":" + (arguments.dryRun ? "true" : "false") + ",\"exitCode\":" + String::fromInt(exitCode) +
           ",\"restartNeeded\":" + (restartNeeded ? "true" : "false") + ",\"summary\":" + jsonString(summary) +
           ",\r\n\"messages\":" + messages + ",\r\n\"items\":" + items + "}";
}

String RemovalCommand::request() const
{
    return (cleaning() ? "clean " : "remove ") + arguments.model + (arguments.dryRun ? " (dry run)" : "");
}
