// RegistryKey::deleteTree of a key with 10,000 sub-keys against "reg delete /f"
// and against RegDeleteTreeA, the system's own recursive delete, each on an
// identical fresh key under HKEY_CURRENT_USER.
#include "bench/RunCommand.h"
#include "bench/Stopwatch.h"
#include "foundation/RegistryKey.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int subKeyCount = 10000;
const int rounds = 5;

bool build(const std::string& path)
{
    HKEY parent = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent, nullptr))
        return false;
    for (int i = 0; i < subKeyCount; ++i) {
        HKEY child = nullptr;
        std::string name = "sub" + std::to_string(i);
        if (RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &child, nullptr) == 0) {
            RegSetValueExA(child, "value", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                           DWORD(name.size() + 1));
            RegCloseKey(child);
        }
    }
    RegCloseKey(parent);
    return true;
}

bool gone(const std::string& path)
{
    HKEY probe = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &probe) != 0)
        return true;
    RegCloseKey(probe);
    return false;
}

// One round: three fresh identical keys, deleted in a rotating order so that no
// method always runs first or last while the machine's load changes.
bool runRound(const std::string& base, int round, std::vector<double> times[3])
{
    const std::string paths[3] = {base + "-ours", base + "-reg", base + "-api"};
    for (const std::string& path : paths)
        if (!build(path))
            return false;
    bool ok = true;
    for (int step = 0; step < 3; ++step) {
        int method = (step + round) % 3;
        Stopwatch watch;
        if (method == 0)
            ok = RegistryKey(HKEY_CURRENT_USER).deleteTree(paths[0].c_str()) == ERROR_SUCCESS && ok;
        else if (method == 1)
            ok = runCommand("reg.exe delete \"HKCU\\" + paths[1] + "\" /f") == 0 && ok;
        else
            ok = RegDeleteTreeA(HKEY_CURRENT_USER, paths[2].c_str()) == ERROR_SUCCESS && ok;
        times[method].push_back(watch.milliseconds());
    }
    for (const std::string& path : paths)
        ok = gone(path) && ok;
    std::printf("round %d: deleteTree %.0f ms, reg delete %.0f ms, RegDeleteTreeA %.0f ms\n", round + 1,
                times[0].back(), times[1].back(), times[2].back());
    return ok;
}

} // namespace

int main()
{
    std::string base = "Software\\T5Bench\\tree-" + std::to_string(GetCurrentProcessId());
    std::vector<double> times[3];
    bool ok = true;
    for (int round = 0; round < rounds; ++round)
        ok = runRound(base, round, times) && ok;
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\T5Bench");
    // The median round: the machine's load changes from one round to the next.
    double median[3];
    for (int method = 0; method < 3; ++method) {
        std::sort(times[method].begin(), times[method].end());
        median[method] = times[method][rounds / 2];
    }
    std::printf("every key of %d sub-keys deleted completely: %s (median of %d rounds below)\n", subKeyCount,
                ok ? "yes" : "NO", rounds);
    reportFigure("RegistryKey::deleteTree, 10,000 sub-keys", "reg delete /f", median[0], median[1], 1.1);
    reportFigure("RegistryKey::deleteTree, 10,000 sub-keys", "RegDeleteTreeA", median[0], median[2], 1.5);
    return ok ? 0 : 1;
}
