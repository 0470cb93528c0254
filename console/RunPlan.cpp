#include "console/RunPlan.h"

#include "console/SimulatedActions.h"

RunPlan::RunPlan(const ProductRecord* product, KeepOptions keep)
{
    SimulatedActions actions(*this, true);
    UninstallRun(product, keep, *this, &actions).run();
}

std::vector<String> RunPlan::deletionsOf(UninstallStep step) const
{
    std::vector<String> found;
    for (const auto& deletion : deletions)
        if (deletion.first == step)
            found.push_back(deletion.second);
    return found;
}

void RunPlan::itemDone(ItemOutcome outcome, const String& item, DWORD)
{
    ++items;
    if (outcome != ItemOutcome::notPresent && outcome != ItemOutcome::notEmpty)
        deletions.emplace_back(current, item);
}
