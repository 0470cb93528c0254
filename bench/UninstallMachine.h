// Shared by the uninstall benchmarks: a T520 installed in a folder of 10,000
// empty data files that scripts/bench made (one per round and side, since making
// them from Windows takes minutes under Wine), and the check that all of it went.
#pragma once

#include "app/UninstallReporter.h"
#include "testbed/MachineFixture.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

const int uninstallRounds = 3;
const int uninstallDataFiles = 10000;

// Counts the messages that tell of a failure.
class CountingReporter : public UninstallReporter {
public:
    void message(RunMessage message, const String&) override { failures += message != RunMessage::completed; }
    int failures = 0;
};

inline std::string dataFile(const std::string& folder, int index)
{
    static const char* const extensions[] = {"T5M", "T5E", "T5S", "T5R", "CAL"};
    char name[32];
    std::snprintf(name, sizeof name, "\\d%05d.%s", index, extensions[index % 5]);
    return folder + name;
}

inline std::string temporaryFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

// The folder of data files scripts/bench made for this side and round; empty,
// with a note printed, when the benchmark was not started through scripts/bench.
inline std::string benchDataFolder(const std::string& side, int round)
{
    const char* root = std::getenv("T5_BENCH_DATA_DIR");
    if (root == nullptr) {
        std::printf("T5_BENCH_DATA_DIR is not set: run this benchmark through scripts/bench\n");
        return std::string();
    }
    return std::string(root) + "\\r" + std::to_string(round) + "-" + side;
}

inline MachineLayout benchLayout(const std::string& side, int round)
{
    std::string base = temporaryFolder() + "t5bench-uninstall-" + side + std::to_string(round);
    return MachineLayout{base, base + "\\Plugins", base + "\\Programs", base + "\\Desktop"};
}

inline bool allGone(const MachineFixture& machine, const std::string& folder)
{
    return machine.remaining().empty() && GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}
