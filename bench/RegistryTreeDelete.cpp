// RegistryKey::deleteTree of a key with 10,000 sub-keys against "reg delete /f"
// and against RegDeleteTreeA, the system's own recursive delete, each on an
// identical fresh key under HKEY_CURRENT_USER.
#include "bench/RunCommand.h"
#include "bench/Stopwatch.h"
#include "foundation/RegistryKey.h"

#include <cstdio>
#include <string>

namespace {

const int subKeyCount = 10000;

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

} // namespace

int main()
{
    std::string base = "Software\\T5Bench\\tree-" + std::to_string(GetCurrentProcessId());
    std::string ours = base + "-ours";
    std::string reg = base + "-reg";
    std::string system = base + "-api";
    Stopwatch setup;
    if (!build(ours) || !build(reg) || !build(system)) {
        std::printf("could not build the keys\n");
        return 1;
    }
    std::printf("three keys of %d sub-keys built in %.1f s\n", subKeyCount, setup.milliseconds() / 1000);

    Stopwatch watch;
    RegistryKey key(HKEY_CURRENT_USER);
    LONG status = key.deleteTree(ours.c_str());
    double oursMs = watch.milliseconds();
    watch.restart();
    long exitCode = runCommand("reg.exe delete \"HKCU\\" + reg + "\" /f");
    double regMs = watch.milliseconds();
    watch.restart();
    LONG systemStatus = RegDeleteTreeA(HKEY_CURRENT_USER, system.c_str());
    double systemMs = watch.milliseconds();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\T5Bench");

    std::printf("deleteTree status %ld, reg exit code %ld, RegDeleteTreeA status %ld; all gone: %s %s %s\n", status,
                exitCode, systemStatus, gone(ours) ? "yes" : "NO", gone(reg) ? "yes" : "NO",
                gone(system) ? "yes" : "NO");
    reportFigure("RegistryKey::deleteTree, 10,000 sub-keys", "reg delete /f", oursMs, regMs, 1.1);
    reportFigure("RegistryKey::deleteTree, 10,000 sub-keys", "RegDeleteTreeA", oursMs, systemMs, 1.5);
    return gone(ours) && gone(reg) && gone(system) ? 0 : 1;
}
