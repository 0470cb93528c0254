// The whole uninstall of a T520 whose installation folder holds 10,000 data files,
// every "Keep" option off, against the floor: deleting the same files, folders and
// keys by their known names, without listing or checking anything. The folders of
// empty files are made by the benchmark command (one per round and side), since
// making them from Windows takes minutes under Wine.
#include "app/UninstallReporter.h"
#include "app/UninstallRun.h"
#include "bench/Stopwatch.h"
#include "testbed/MachineFixture.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const int rounds = 3;
const int dataFiles = 10000;
const char* const extensions[] = {"T5M", "T5E", "T5S", "T5R", "CAL"};

class CountingReporter : public UninstallReporter {
public:
    void showMessage(const String& text) override { failures += text != "Uninstallation completed !"; }
    void runCompleted() override {}
    int failures = 0;
};

std::string dataFile(const std::string& folder, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "\\d%05d.%s", index, extensions[index % 5]);
    return folder + name;
}

std::string temporaryFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

MachineLayout layoutFor(const std::string& side, int round)
{
    std::string base = temporaryFolder() + "t5bench-uninstall-" + side + std::to_string(round);
    return MachineLayout{base, base + "\\Plugins", base + "\\Programs", base + "\\Desktop"};
}

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
            for (int file = 0; file < dataFiles; ++file)
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

bool allGone(const MachineFixture& machine, const std::string& folder)
{
    return machine.remaining().empty() && GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

double timeOurs(const std::string& dataRoot, int round, bool& ok)
{
    const std::string folder = dataRoot + "\\r" + std::to_string(round) + "-ours";
    MachineFixture machine(layoutFor("ours", round));
    machine.install("T520", folder);
    CountingReporter reporter;
    Stopwatch watch;
    UninstallRun(machine.product("T520"), KeepOptions{false, false, false}, reporter).run();
    double elapsed = watch.milliseconds();
    ok = ok && reporter.failures == 0 && allGone(machine, folder);
    return elapsed;
}

double timeFloor(const std::string& dataRoot, int round, bool& ok)
{
    const std::string folder = dataRoot + "\\r" + std::to_string(round) + "-floor";
    MachineFixture machine(layoutFor("floor", round));
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
    const char* dataRoot = std::getenv("T5_BENCH_DATA_DIR");
    if (dataRoot == nullptr) {
        std::printf("T5_BENCH_DATA_DIR is not set: run this benchmark through scripts/bench\n");
        return 1;
    }
    bool ok = true;
    int round = 0;
    int floorRound = 0;
    const BestTimes best = bestOfRounds(
        rounds, [&] { return timeFloor(dataRoot, floorRound++, ok); }, [&] { return timeOurs(dataRoot, round++, ok); });
    std::printf("everything removed, no message but the last: %s (best of %d rounds below)\n", ok ? "yes" : "NO", rounds);
    reportFigure("uninstall of a T520 with 10,000 data files", "deleting the same by name", best.ours, best.theirs, 1.5);
    return ok ? 0 : 1;
}
