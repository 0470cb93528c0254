// What a run would do on the machine as it is, learnt by simulating it: the items
// each step would delete, and how many items the run would come to.
#pragma once

#include "app/UninstallReporter.h"
#include "app/UninstallRun.h"

#include <utility>
#include <vector>

// What the companion asks of a run besides what to keep.
struct RunSetup {
    KeepOptions keep;
    bool withoutEntry = false;          // a clean-up: the uninstall entry is gone
    String installFolder;               // then the folder to work in (empty: none)
    std::vector<ShellFolders> profiles; // every profile's folders too (--all-users)

    // Gives run everything here but keep, which it takes when it is made.
    void applyTo(UninstallRun& run) const;
};

class RunPlan final : public UninstallReporter {
public:
    // Simulates the run of product as set up; nothing on the machine changes.
    RunPlan(const ProductRecord* product, const RunSetup& setup);

    // The items the step would take (delete, schedule or fail to), in order.
    std::vector<String> deletionsOf(UninstallStep step) const;
    // Every item the run would come to, whatever would become of it.
    int itemCount() const { return items; }

    void message(RunMessage, const String&) override {}
    void stepStarted(UninstallStep step) override { current = step; }
    void itemDone(ItemOutcome outcome, const String& item, DWORD error) override;

private:
    UninstallStep current = UninstallStep::settingsSweep;
    std::vector<std::pair<UninstallStep, String>> deletions;
    int items = 0;
};
