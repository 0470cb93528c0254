// Paths in the double-byte code page 932, where the second byte of a character can
// be 0x5C, the backslash: run in a child process whose ANSI code page is 932.
#include "tests/app/UninstallTesting.h"

#include "foundation/FileSystem.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace uninstalltesting;

namespace {

// In code page 932: "so" and "hyou" end in 0x5C, "da" in 0x5F, the underscore.
const std::string so = "\x83\x5C";
const std::string hyou = "\x95\x5C";
const std::string da = "\x83\x5F";

} // namespace

// Run by its own CTest entry, whose environment makes Wine give the process the
// code page of a Japanese system.
TEST(DoubleByteCodePage, PathPiecesAndTheRunKeepEveryCharacterWhole)
{
    T5_REQUIRE_SANDBOX();
    if (std::getenv("T5_EXPECT_CODE_PAGE_932") == nullptr)
        GTEST_SKIP() << "runs in the CTest entry DoubleByteCodePage, with code page 932";
    ASSERT_EQ(932u, GetACP());
    EXPECT_EQ("C:\\dir", std::string(String(("C:\\dir\\" + so).c_str()).folderPart().cStr()));
    EXPECT_EQ(so, std::string(String(("C:\\dir\\" + so).c_str()).fileName().cStr()));
    EXPECT_TRUE(namesDriveRoot(("\\\\srv\\" + hyou + "x").c_str()));

    // A folder whose name ends in 0x5C as the installation folder and as the plug-in folder.
    TestMachine machine(hyou + so);
    const std::string plugins = machine.fixture.layout().pluginFolder;
    machine.fixture.addFile(plugins + "\\A_Config.dat", ItemKind::pluginSettings, 3);
    machine.fixture.addFile(plugins + "\\" + da + "Config.dat");
    for (const KeepOptions keep : {KeepOptions{false, false, true}, KeepOptions{false, false, false}}) {
        machine.fixture.install("T530MCH", machine.path("Rx" + so));
        EXPECT_EQ(completedAfter(), runUninstall(machine.fixture, "T530MCH", keep).messages);
        EXPECT_TRUE(leftAsExpected(machine.fixture, 3, keep));
    }
}
