// The uninstaller runs elevated from folders anyone can write to: a DLL planted
// there under a system DLL's name must never be loaded into it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "foundation/RegistryKey.h"
#include "tests/app/UninstallTesting.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/Sandbox.h"
#include "tests/support/ScratchFolder.h"

using namespace programtesting;
using uninstalltesting::exists;

namespace {

const std::vector<std::string> plantedNames = {"uxtheme", "comctl32", "msimg32"};
const char appDefaults[] = "Software\\Wine\\AppDefaults\\";

// Wine prefers its own DLLs; for the named programs it takes one found on the
// search path instead, as Windows would.
class PreferPlantedDlls {
public:
    explicit PreferPlantedDlls(std::vector<std::string> programs) : programs_(std::move(programs))
    {
        for (const std::string& program : programs_) {
            RegistryKey key(HKEY_CURRENT_USER);
            key.open((appDefaults + program + "\\DllOverrides").c_str(), true);
            for (const std::string& name : plantedNames)
                key.writeString(name.c_str(), "native,builtin");
        }
    }
    ~PreferPlantedDlls()
    {
        for (const std::string& program : programs_)
            RegistryKey(HKEY_CURRENT_USER).deleteTree((appDefaults + program).c_str());
    }

private:
    std::vector<std::string> programs_;
};

}  // namespace

TEST(DllPlanting, UninstallerLoadsNoneOfTheDllsPlantedBesideIt)
{
    if (!testsupport::isWine())
        GTEST_SKIP() << "needs Wine's per-program preference for a DLL found on the search path";
    testsupport::ScratchFolder folder;
    for (const std::string& name : plantedNames)
        ASSERT_TRUE(CopyFileA(buildFile("tests\\t5probe.dll").c_str(), folder.join(name + ".dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(buildFile("VxUninstall.exe").c_str(), folder.join("PlantedUninstaller.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(buildFile("bench\\BareWindow.exe").c_str(), folder.join("PlantedBare.exe").c_str(), FALSE));
    PreferPlantedDlls overrides({"PlantedUninstaller.exe", "PlantedBare.exe"});

    // The planted UXTHEME would be taken when the window is shown.
    uninstalltesting::TestMachine machine;
    machine.fixture.install("T520");
    {
        RunningProgram uninstaller(folder.join("PlantedUninstaller.exe"), "T520");
        HWND window = uninstaller.waitForPaintedWindow("T520 uninstall");
        ASSERT_NE(nullptr, window);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, uninstaller.waitForExit());
    }
    for (const std::string& name : plantedNames)
        EXPECT_FALSE(exists(folder.join(name + ".dll.loaded"))) << name << ".dll was taken from beside the program";

    // The same planting reaches a program that does not restrict its search.
    EXPECT_EQ(0u, RunningProgram(folder.join("PlantedBare.exe"), "").waitForExit());
    EXPECT_TRUE(exists(folder.join("uxtheme.dll.loaded"))) << "the planting shows nothing under this Wine";
}
