// What the shipped 32-bit program decides about the two folder views 64-bit
// Windows gives it, proven where it runs: the i686 run of the suite, in a WoW64
// prefix, with products installed through the 32-bit view as their installers
// did. Which registry view counts as installed: ConsoleWow64, through the one
// definition both programs use.
#include "app/UninstallFolders.h"
#include "tests/app/UninstallTesting.h"
#include "tests/support/FileLock.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <memory>

using namespace uninstalltesting;

// The product's installer put the driver where a 32-bit program's System32
// leads (SysWOW64); 64-bit Windows loads drivers only from the native folder,
// where it may lie too. Both go, and one left in either names the path the
// message always names.
TEST(Wow64Driver, GoesFromTheRedirectedAndTheNativeDriversFolder)
{
    T5_REQUIRE_SANDBOX();
    T5_REQUIRE_WOW64();
    EXPECT_TRUE(runsUnderWow64());
    for (int locked = -1; locked < 2; ++locked) {
        SCOPED_TRACE(locked);
        TestMachine machine;
        machine.fixture.install("T520");
        const std::string windows = machine.fixture.windowsFolder();
        const std::string redirected = machine.fixture.systemFolder() + "Drivers\\VXT520.SYS";
        const std::string native = windows + "Sysnative\\Drivers\\VXT520.SYS";
        ASSERT_TRUE(exists(windows + "SysWOW64\\Drivers\\VXT520.SYS"));
        ASSERT_FALSE(exists(native));
        machine.fixture.addFile(native, ItemKind::driverFile, 1);
        std::unique_ptr<testsupport::FileLock> lock;
        if (locked >= 0)
            lock.reset(new testsupport::FileLock(locked == 0 ? redirected : native));
        const RunResult run = runUninstall(machine.fixture, "T520", KeepOptions{});
        std::vector<std::string> expected = completedOnly();
        if (locked >= 0)
            expected.insert(expected.begin(), "Unable to delete the file \n" + redirected);
        EXPECT_EQ(expected, run.messages);
        EXPECT_EQ(locked == 0, exists(redirected));
        EXPECT_EQ(locked == 1, exists(native));
    }
}
