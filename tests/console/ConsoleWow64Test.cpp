// The 32-bit companion on 64-bit Windows: what it lists and what it schedules,
// proven in the i686 run of the suite, in a WoW64 prefix.
#include "foundation/FileIdentity.h"
#include "tests/app/UninstallTesting.h"
#include "tests/console/ConsoleTesting.h"
#include "tests/support/FileLock.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace consoletesting;
using namespace uninstalltesting;

namespace {

// The entries that name the file as the system reads them when it starts:
// natively, without the 32-bit view of System32. The drive letter may be any
// that leads there.
int entriesNaming(const std::vector<std::string>& entries, const std::string& file)
{
    PVOID redirection = nullptr;
    Wow64DisableWow64FsRedirection(&redirection);
    const FileLookUp wanted = lookUp(file.c_str());
    int count = 0;
    for (const std::string& entry : entries) {
        const FileLookUp named = lookUp(entry.substr(entry.rfind("\\??\\", 0) == 0 ? 4 : 0).c_str());
        count += wanted.found && named.found && named.identity == wanted.identity;
    }
    Wow64RevertWow64FsRedirection(redirection);
    return count;
}

}  // namespace

// An entry only in the native view is not the 32-bit program's to list. The
// system carries out a scheduled entry natively, where System32 is not
// redirected: only the native name (SysWOW64) reaches the file the run could not delete.
TEST(ConsoleWow64, ListsThe32BitViewAndSchedulesALockedSystemFileUnderItsNativePath)
{
    T5_REQUIRE_SANDBOX();
    T5_REQUIRE_WOW64();
    TestMachine machine;
    const NativeViewEntry t540("Vantorix T540", machine.path("Products\\T540\\VXT540.exe"));
    ASSERT_TRUE(keyInView(uninstallKey("Vantorix T540"), KEY_WOW64_64KEY));
    ASSERT_FALSE(keyInView(uninstallKey("Vantorix T540"), KEY_WOW64_32KEY));
    const std::string t520 = machine.fixture.install("T520");
    EXPECT_EQ(std::vector<std::string>{"T520\tVantorix T520\t" + t520 + "\\"}, lines(runProgram("list").out));
    const std::string library = machine.fixture.systemFolder() + "VXT5API.DLL";
    const std::string native = machine.fixture.windowsFolder() + "SysWOW64\\VXT5API.DLL";
    ProgramRun run;
    {
        const testsupport::FileLock lock(library);
        ASSERT_TRUE(lock.isHeld());
        run = runProgram("remove T520");
    }
    EXPECT_EQ(3010u, run.exitCode) << run.out << run.err;
    EXPECT_EQ(std::vector<std::string>{library}, linesAfter(run.out, "scheduled for restart: "));
    const std::vector<std::string> pending = pendingDeletions();
    EXPECT_EQ(1, entriesNaming(pending, native)) << ::testing::PrintToString(pending);
    // Not under the redirected name, however spelt.
    EXPECT_TRUE(std::none_of(pending.begin(), pending.end(), [&](const std::string& entry) {
        return lstrcmpiA(entry.c_str(), ("\\??\\" + library).c_str()) == 0;
    }));
    if (!testsupport::isWine())
        GTEST_SKIP() << "restarts only a Wine prefix";
    ASSERT_TRUE(testsupport::restartWinePrefix());
    EXPECT_FALSE(exists(native));
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, KeepOptions{}));
}
