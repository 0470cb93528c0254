// What a run would do on the machine as it is, learnt by simulating it: the items
// each step would delete, and how many items the run would come to.
#pragma once

#include "app/UninstallReporter.h"
#include "app/UninstallRun.h"

#include <utility>
#include <vector>

class RunPlan final : public UninstallReporter {
public:
    // Simulates the run of product with keep; nothing on the machine changes.
    RunPlan(const ProductRecord* product, KeepOptions keep);

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
