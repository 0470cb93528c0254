// The 32-bit companion on 64-bit Windows: what it lists and what it schedules,
// proven in the i686 run of the suite, in a WoW64 prefix.
#include "tests/app/UninstallTesting.h"
#include "tests/console/ConsoleTesting.h"
#include "tests/support/FileLock.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace consoletesting;
using namespace uninstalltesting;

namespace {

int countOf(const std::vector<std::string>& entries, const std::string& wanted)
{
    return static_cast<int>(std::count_if(entries.begin(), entries.end(), [&](const std::string& entry) {
        return lstrcmpiA(entry.c_str(), wanted.c_str()) == 0;
    }));
}

}  // namespace

TEST(ConsoleWow64, ListShowsOnlyTheEntriesOfThe32BitView)
{
    T5_REQUIRE_SANDBOX();
    T5_REQUIRE_WOW64();
    TestMachine machine;
    const NativeViewEntry t520("Vantorix T520", machine.path("Products\\T520\\VXT520.exe"));
    const std::string t540 = machine.fixture.install("T540");
    EXPECT_EQ(std::vector<std::string>{"T540\tVantorix T540\t" + t540 + "\\"}, lines(runProgram("list").out));
}

// The system carries out the entry natively, where System32 is not redirected:
// only the native name (SysWOW64) reaches the file the run could not delete.
TEST(ConsoleWow64, ALockedSystemFileIsScheduledUnderItsNativePathAndGoesAtTheRestart)
{
    T5_REQUIRE_SANDBOX();
    T5_REQUIRE_WOW64();
    TestMachine machine;
    machine.fixture.install("T520");
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
    EXPECT_EQ(1, countOf(pending, "\\??\\" + native));
    EXPECT_EQ(0, countOf(pending, "\\??\\" + library));
    if (!testsupport::isWine())
        GTEST_SKIP() << "restarts only a Wine prefix";
    ASSERT_TRUE(testsupport::restartWinePrefix());
    EXPECT_FALSE(GetFileAttributesA(native.c_str()) != INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, KeepOptions{}));
}
