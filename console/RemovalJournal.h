// The console's reporter for one removal or dry run: every step, item and message
// goes to the log with its outcome, and to the console what the user needs there.
// A dry run lists every item; a real run reports what did not simply go (failed,
// scheduled, kept, refused, skipped) and the run's messages as lines.
#pragma once

#include "app/UninstallReporter.h"
#include "console/PathSet.h"

#include <vector>

#include <functional>

class ConsoleStream;
class LogFile;
class ProgressLine;
class RunPlan;
class StopRequest;

// One item of the run as told (in a dry run, what the real run would come to);
// error is the system's code for a failure, else 0.
struct JournalItem {
    String path;
    ItemOutcome outcome;
    DWORD error;
};

class RemovalJournal final : public UninstallReporter {
public:
    // everything: the same run simulated with nothing kept, whose items of a step
    // left out by an option are listed as kept; null lists only the step. stop,
    // when given, is asked before each step and after each item.
    RemovalJournal(ConsoleStream& out, LogFile& log, ProgressLine& progress, bool dryRun, const RunPlan* everything,
                   const StopRequest* stop = nullptr);

    // Calls run (the removal; false when it ended early, changing nothing) and
    // writes the closing line. The exit code: exitCode(), 1605 when run gave
    // false, 1602 when a stop was asked for, 1603 after any other exception,
    // whose text the closing line gives.
    int runAndClose(const std::function<bool()>& run);

    void message(RunMessage message, const String& path) override;
    void stepSkipped(UninstallStep step, SkipReason reason) override;
    void stepStarted(UninstallStep step) override;
    void folderRefused(UninstallStep step, const String& folder) override;
    void nameRefused(UninstallStep step, const String& path) override;
    void itemDone(ItemOutcome outcome, const String& item, DWORD error) override;
    // True once anything the run set out to remove has stayed.
    bool keepsUninstallEntries() override;

    int count(ItemOutcome outcome) const { return tally[static_cast<int>(outcome)]; }
    // Items that stayed (failed or refused) and steps that could not look for theirs.
    int notRemoved() const { return static_cast<int>(stayed.size()); }
    // 0 when every item the run set out to remove is gone, 3010 when the rest is
    // scheduled for the next restart, 1603 when anything else stayed. A dry run
    // answers what the real run would.
    int exitCode() const;
    // The closing line written by runAndClose: what the run came to, with its exit
    // code, and for 1603 what stayed and why.
    const String& closing() const { return closed; }
    // A line for the console and the log alike.
    void note(const String& line);

    // Every item in the order told, and the run's messages.
    const std::vector<JournalItem>& items() const { return told; }
    const std::vector<String>& messages() const { return shown; }

private:
    String closingLine(const String& opening, int exitCode) const;
    void record(const String& line, bool onConsole);

    ConsoleStream& out;
    LogFile& log;
    ProgressLine& progress;
    bool dryRun;
    const RunPlan* everything;
    const StopRequest* stop;
    int tally[static_cast<int>(ItemOutcome::refused) + 1] = {};
    std::vector<String> stayed; // each with why
    PathSet failedItems;
    std::vector<JournalItem> told;
    String closed;
    std::vector<String> shown;
};
