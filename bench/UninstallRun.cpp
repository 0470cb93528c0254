// The whole uninstall of a T520 whose installation folder holds 10,000 data files,
// every "Keep" option off, against the floor: deleting the same files, folders and
// keys by their known names, without listing or checking anything. The folders of
// empty files are made by the benchmark command (one per round and side), since
// making them from Windows takes minutes under Wine.
#include "app/UninstallRun.h"
#include "bench/Stopwatch.h"
#include "bench/UninstallMachine.h"

namespace {

// Everything the fixture made, newest first, then the data files, by name.
void deleteByName(const MachineFixture& machine, const std::string& folder)
{
    const std::vector<MachineItem>& items = machine.items();
    for (size_t i = items.size(); i-- > 0;) {
        const MachineItem& item = items[i];
        if (item.type == ItemType::key)
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, item.path.c_str());
        else if (item.type == ItemType::file)
            DeleteFileA(item.path.c_str());
        else if (item.kind == ItemKind::installFolder)
            for (int file = 0; file < uninstallDataFiles; ++file)
                DeleteFileA(dataFile(folder, file).c_str());
        if (item.type == ItemType::folder) {
            if (item.kind == ItemKind::menuGroup) {
                DeleteFileA((item.path + "\\T520.lnk").c_str());
                DeleteFileA((item.path + "\\T520 Help.lnk").c_str());
            }
            RemoveDirectoryA(item.path.c_str());
        }
    }
}

double timeOurs(int round, bool& ok)
{
    const std::string folder = benchDataFolder("ours", round);
    MachineFixture machine(benchLayout("ours", round));
    machine.install("T520", folder);
    CountingReporter reporter;
    Stopwatch watch;
    UninstallRun(machine.product("T520"), KeepOptions{false, false, false}, reporter).run();
    double elapsed = watch.milliseconds();
    ok = ok && reporter.failures == 0 && allGone(machine, folder);
    return elapsed;
}

double timeFloor(int round, bool& ok)
{
    const std::string folder = benchDataFolder("floor", round);
    MachineFixture machine(benchLayout("floor", round));
    machine.install("T520", folder);
    Stopwatch watch;
    deleteByName(machine, folder);
    double elapsed = watch.milliseconds();
    ok = ok && allGone(machine, folder);
    return elapsed;
}

} // namespace

int main()
{
    if (benchDataFolder("ours", 0).empty())
        return 1;
    bool ok = true;
    int round = 0;
    int floorRound = 0;
    const BestTimes best = bestOfRounds(
        uninstallRounds, [&] { return timeFloor(floorRound++, ok); }, [&] { return timeOurs(round++, ok); });
    std::printf("everything removed, no message but the last: %s (best of %d rounds below)\n", ok ? "yes" : "NO",
                uninstallRounds);
    reportFigure("uninstall of a T520 with 10,000 data files", "deleting the same by name", best.ours, best.theirs, 1.5);
    return ok ? 0 : 1;
}
