// What the shipped 32-bit program decides about the two views 64-bit Windows
// gives it, proven where it runs: the i686 run of the suite, in a WoW64 prefix,
// with products installed through the 32-bit views as their installers did.
#include "app/UninstallFolders.h"
#include "tests/app/UninstallTesting.h"
#include "tests/support/FileLock.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <memory>

using namespace programtesting;
using namespace uninstalltesting;

namespace {

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The window once it has painted, in a program started with the arguments.
HWND paintedWindow(const RunningProgram& program, const char* caption)
{
    HWND window = program.waitForWindow("myComponent", caption);
    return window && waitFor([&] { return isPainted(window); }) ? window : nullptr;
}

}  // namespace

// The T520 only in the native view, the T540 in the 32-bit one: list mode
// offers the T540 alone (and so chooses it), command-line mode takes the T540
// and ends silently for the T520.
TEST(Wow64Views, OnlyAnEntryInThe32BitViewCountsAsInstalled)
{
    T5_REQUIRE_SANDBOX();
    T5_REQUIRE_WOW64();
    TestMachine machine;
    const NativeViewEntry t520("Vantorix T520", machine.path("Products\\T520\\VXT520.exe"));
    ASSERT_TRUE(keyInView(uninstallKey("Vantorix T520"), KEY_WOW64_64KEY));
    EXPECT_FALSE(keyInView(uninstallKey("Vantorix T520"), KEY_WOW64_32KEY));
    EXPECT_EQ(0u, RunningProgram(buildFile("VxUninstall.exe"), "").waitForExit()) << "list mode, nothing to offer";

    machine.fixture.install("T540");
    EXPECT_TRUE(keyInView(uninstallKey("Vantorix T540"), KEY_WOW64_32KEY));
    EXPECT_FALSE(keyInView(uninstallKey("Vantorix T540"), KEY_WOW64_64KEY));
    {
        RunningProgram program(buildFile("VxUninstall.exe"), "");
        HWND window = paintedWindow(program, "Vantorix uninstaller");
        ASSERT_NE(nullptr, window);
        EXPECT_EQ("T540", windowText(children(window).at(1)));
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, program.waitForExit());
    }
    EXPECT_EQ(0u, RunningProgram(buildFile("VxUninstall.exe"), "T520").waitForExit()) << "command-line mode";
    RunningProgram named(buildFile("VxUninstall.exe"), "T540");
    HWND window = paintedWindow(named, "T540 uninstall");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, named.waitForExit());
    EXPECT_EQ(machine.fixture.items().size(), machine.fixture.remaining().size());
}

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
