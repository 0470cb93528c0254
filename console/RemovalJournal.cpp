#include "console/RemovalJournal.h"

#include "console/ConsoleStream.h"
#include "console/LogFile.h"
#include "console/ProgressLine.h"
#include "console/RunPlan.h"
#include "console/StopRequest.h"
#include "console/SystemErrors.h"

namespace {

const char* stepName(UninstallStep step)
{
    switch (step) {
    case UninstallStep::settingsSweep: return "settings files of the plug-in folder";
    case UninstallStep::applicationFiles: return "application files";
    case UninstallStep::systemFiles: return "system files";
    case UninstallStep::pluginFiles: return "plug-in files";
    case UninstallStep::sharedFiles: return "shared files";
    case UninstallStep::dataFiles: return "memory and data files";
    case UninstallStep::settingsFile: return "settings file";
    case UninstallStep::driverFile: return "driver file";
    case UninstallStep::menuGroup: return "start-menu group";
    case UninstallStep::shortcuts: return "desktop shortcuts";
    case UninstallStep::services: return "service keys";
    case UninstallStep::pluginKey: return "plug-in system key";
    case UninstallStep::pluginFolder: return "plug-in folder";
    case UninstallStep::installFolder: return "installation folder";
    case UninstallStep::brandFolder: return "brand folder of the start menu";
    case UninstallStep::uninstallEntries: return "uninstall entries";
    }
    return "";
}

// Shown by name in the closing line; the rest are counted.
const size_t maximumShown = 3;

bool isPluginStep(UninstallStep step)
{
    return step == UninstallStep::settingsSweep || step == UninstallStep::pluginFiles ||
           step == UninstallStep::pluginFolder;
}

// The option that would have let the step run.
const char* keptBecause(UninstallStep step)
{
    switch (step) {
    case UninstallStep::dataFiles: return "--remove-data not given";
    case UninstallStep::sharedFiles: return "--remove-shared not given";
    case UninstallStep::pluginKey:
    case UninstallStep::pluginFolder: return "--remove-plugins not given";
    default: return "goes only with --remove-data, --remove-shared and --remove-plugins";
    }
}

const char* outcomeWord(ItemOutcome outcome, bool dryRun)
{
    switch (outcome) {
    case ItemOutcome::deleted: return dryRun ? "would delete" : "deleted";
    case ItemOutcome::notPresent: return "not present";
    case ItemOutcome::notEmpty: return dryRun ? "would keep, not empty" : "kept, not empty";
    case ItemOutcome::failed: return dryRun ? "would fail" : "failed";
    case ItemOutcome::scheduled: return dryRun ? "would be scheduled for restart" : "scheduled for restart";
    case ItemOutcome::keptByOption: return "kept by option";
    case ItemOutcome::refused: return "refused";
    }
    return "";
}

// The run's message in the words the users know from the window, the path after
// lineBreak: under the text on the console, after it on one line of the log ("").
String messageText(RunMessage message, const String& path, const char* lineBreak)
{
    switch (message) {
    case RunMessage::noProductChosen: return "T5 application not chosen";
    case RunMessage::entryMissing: return "Uninstall key not found !";
    case RunMessage::pluginPathUnknown: return "Unable to obtain the plugins path";
    case RunMessage::fileNotDeleted: return "Unable to delete the file " + (lineBreak + path);
    case RunMessage::folderNotDeleted: return "Unable to delete the directory " + (lineBreak + path);
    case RunMessage::completed: return "Uninstallation completed !";
    }
    return "";
}

} // namespace

RemovalJournal::RemovalJournal(ConsoleStream& out, LogFile& log, ProgressLine& progress, bool dryRun,
                               const RunPlan* everything, const StopRequest* stop)
    : out(out), log(log), progress(progress), dryRun(dryRun), everything(everything), stop(stop)
{
}

void RemovalJournal::message(RunMessage message, const String& path)
{
    shown.push_back(messageText(message, path, "\n"));
    String line = "message: " + messageText(message, path, "");
    log.writeLine(line);
    if (out.isConsole())
        progress.hide();
    out.writeLine(dryRun ? line : messageText(message, path, "\r\n"));
}

void RemovalJournal::stepSkipped(UninstallStep step, SkipReason reason)
{
    if (reason == SkipReason::folderProtected)
        return; // told by folderRefused, with the folder
    if (reason == SkipReason::runIncomplete)
        return note(String("kept: ") + stepName(step) + " (something stayed: the product stays listed, so that " +
                    "its removal can be run again)");
    if (reason == SkipReason::folderUnknown) {
        String why = String(stepName(step)) + " (its folder could not be worked out)";
        // Without a plug-in folder there may be no plug-in system at all.
        if (!isPluginStep(step))
            stayed.push_back(why);
        return note("skipped: " + why);
    }
    note(String("kept by option: ") + stepName(step) + " (" + keptBecause(step) + ")");
    if (everything)
        for (const String& item : everything->deletionsOf(step)) {
            told.push_back(JournalItem{item, ItemOutcome::keptByOption, 0});
            record("kept by option: " + item, dryRun);
        }
}

void RemovalJournal::stepStarted(UninstallStep step)
{
    if (stop)
        stop->check();
    log.writeLine(String("step: ") + stepName(step));
}

void RemovalJournal::folderRefused(UninstallStep step, const String& folder)
{
    stayed.push_back(folder + " (refused as protected)");
    told.push_back(JournalItem{folder, ItemOutcome::refused, 0});
    note("refused as protected: " + folder + " (" + stepName(step) + ")");
}

void RemovalJournal::nameRefused(UninstallStep step, const String& path)
{
    stayed.push_back(path + " (refused: its listed name leads out of its folder)");
    told.push_back(JournalItem{path, ItemOutcome::refused, 0});
    note("refused, a listed name that leads out of its folder: " + path + " (" + stepName(step) + ")");
}

void RemovalJournal::itemDone(ItemOutcome outcome, const String& item, DWORD error)
{
    ++tally[static_cast<int>(outcome)];
    told.push_back(JournalItem{item, outcome, outcome == ItemOutcome::failed ? error : 0});
    progress.advance();
    // Tried again by a later step (a file in a folder that goes), it stayed once.
    if (outcome == ItemOutcome::failed && !failedItems.contains(item)) {
        failedItems.add(item);
        stayed.push_back(item + " (" + errorText(error) + ")");
    }
    bool onConsole = dryRun || outcome == ItemOutcome::failed || outcome == ItemOutcome::scheduled;
    if (onConsole || log.isOpen()) {
        String line = String(outcomeWord(outcome, dryRun)) + ": " + item;
        record(outcome == ItemOutcome::failed ? line + " (" + errorText(error) + ")" : line, onConsole);
    }
    // Between this item and the next.
    if (stop)
        stop->check();
}

bool RemovalJournal::keepsUninstallEntries()
{
    return !stayed.empty();
}

int RemovalJournal::exitCode() const
{
    if (!stayed.empty())
        return ERROR_INSTALL_FAILURE;
    return count(ItemOutcome::scheduled) > 0 ? ERROR_SUCCESS_REBOOT_REQUIRED : ERROR_SUCCESS;
}

int RemovalJournal::runAndClose(const std::function<bool()>& run)
{
    int code = ERROR_INSTALL_FAILURE;
    try {
        if (!run())
            return ERROR_UNKNOWN_PRODUCT;
        code = exitCode();
        closed = closingLine(dryRun ? "Dry run: " : "Done: ", code);
    } catch (const RunInterrupted& stopped) {
        code = ERROR_INSTALL_USEREXIT;
        closed = closingLine(String("Interrupted by ") + stopped.by + " before its end: ", code);
    } catch (...) {
        closed = closingLine("Stopped by an unexpected error (" + exceptionText() + ") before its end: ", code);
    }
    progress.hide();
    note(closed);
    return code;
}

String RemovalJournal::closingLine(const String& opening, int code) const
{
    String deleted = String::fromInt(count(ItemOutcome::deleted));
    String scheduled = String::fromInt(count(ItemOutcome::scheduled));
    String left = String::fromInt(notRemoved());
    String text = dryRun ? opening + deleted + " items would be deleted, " + scheduled +
                               " would be scheduled for the next restart, " + left + " would stay"
                         : opening + deleted + " items deleted, " + scheduled + " scheduled for the next restart, " +
                               left + " not removed";
    const char* meaning = code == ERROR_SUCCESS                   ? "done"
                          : code == ERROR_SUCCESS_REBOOT_REQUIRED ? "a restart completes the removal"
                          : code == ERROR_INSTALL_USEREXIT        ? "the removal was interrupted"
                                                                  : "something could not be removed";
    text += String(dryRun ? "; nothing was changed" : "") + " (exit code " + String::fromInt(code) + ": " + meaning +
            ").";
    if (stayed.empty())
        return text;
    text += String(dryRun ? " Would stay: " : " Stayed: ") + stayed.front();
    const size_t shown = stayed.size() < maximumShown ? stayed.size() : maximumShown;
    for (size_t i = 1; i < shown; ++i)
        text += "; " + stayed[i];
    if (stayed.size() > shown)
        text += "; and " + String::fromInt(static_cast<int>(stayed.size() - shown)) + " more (see above)";
    return text + ".";
}

void RemovalJournal::note(const String& line)
{
    record(line, true);
}

void RemovalJournal::record(const String& line, bool onConsole)
{
    log.writeLine(line);
    if (!onConsole)
        return;
    if (out.isConsole())
        progress.hide();
    out.writeLine(line);
}
