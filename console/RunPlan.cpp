#include "console/RunPlan.h"

#include "console/SimulatedActions.h"

void RunSetup::applyTo(UninstallRun& run) const
{
    if (withoutEntry)
        run.useInstallFolder(installFolder);
    run.alsoInProfiles(profiles);
}

RunPlan::RunPlan(const ProductRecord* product, const RunSetup& setup)
{
    SimulatedActions actions(*this, true);
    UninstallRun run(product, setup.keep, *this, &actions);
    setup.applyTo(run);
    run.run();
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
