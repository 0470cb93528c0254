// remove --backup and restore: the machine comes back as it was, over every keep
// combination; what changed since is left alone unless forced; what cannot be
// saved is not deleted.
#include "app/ProductRecord.h"
#include "tests/app/UninstallTesting.h"
#include "tests/console/ConsoleTesting.h"
#include "tests/console/JsonValue.h"
#include "tests/support/FileLock.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace consoletesting;
using namespace uninstalltesting;

namespace {

std::string options(int mask)
{
    return std::string(mask & 1 ? "" : " --remove-data") + (mask & 2 ? "" : " --remove-shared") +
           (mask & 4 ? "" : " --remove-plugins");
}

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

TEST(ConsoleBackup, RestoreAfterRemovalLeavesTheMachineAsItWas)
{
    T5_REQUIRE_SANDBOX();
    for (int mask = 0; mask < 8; ++mask) {
        SCOPED_TRACE(options(mask));
        TestMachine machine;
        machine.fixture.install("T530MCH");
        const std::vector<std::string> before = machineListing(machine.scratch.path());
        testsupport::ScratchFolder saved;
        const ProgramRun removal = runProgram("remove T530MCH" + options(mask) + " --backup \"" +
                                              saved.join("Backup") + "\"");
        ASSERT_EQ(0u, removal.exitCode) << removal.out << removal.err;
        EXPECT_LT(machine.fixture.remaining().size(), machine.fixture.items().size());
        const ProgramRun restore = runProgram("restore \"" + saved.join("Backup") + "\"");
        EXPECT_EQ(0u, restore.exitCode) << restore.out << restore.err;
        EXPECT_EQ(std::vector<std::string>{}, changes(before, machineListing(machine.scratch.path())));
    }
}

TEST(ConsoleBackup, AFileChangedSinceIsLeftAloneUnlessForced)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T520");
    const std::string settings = machine.fixture.windowsFolder() + "VXT5.INI";
    const std::string original = contentOf(settings);
    testsupport::ScratchFolder saved;
    const std::string backup = " \"" + saved.join("Backup") + "\"";
    ASSERT_EQ(0u, runProgram("remove T520 --backup" + backup).exitCode);
    std::ofstream(settings, std::ios::binary) << "[written since]";

    const ProgramRun left = runProgram("restore" + backup);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_FAILURE), left.exitCode);
    EXPECT_NE(std::string::npos, left.out.find("changed since the backup (--force overwrites): " + settings))
        << left.out;
    EXPECT_EQ("[written since]", contentOf(settings));
    EXPECT_TRUE(machine.fixture.exists(machine.fixture.items().front())); // the rest came back
    EXPECT_EQ(0u, runProgram("restore" + backup + " --force").exitCode);
    EXPECT_EQ(original, contentOf(settings));
    const ProgramRun again = runProgram("restore" + backup);
    EXPECT_EQ(0u, again.exitCode);
    EXPECT_EQ(std::string::npos, again.out.find("\nrestored: ")) << again.out;
}

TEST(ConsoleBackup, NothingIsDeletedThatWasNotSaved)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T520");
    testsupport::ScratchFolder saved;
    // Inside what the removal deletes, or a link: refused before anything changes.
    const std::vector<std::string> before = machineListing(machine.scratch.path());
    const char* links = std::getenv("T5_TEST_LINK_DIR");
    for (const std::string& unusable : {folder + "\\Backup", std::string(links ? links : "C:\\") + "\\tree\\link"}) {
        const ProgramRun refused = runProgram("remove T520 --remove-data --remove-shared --remove-plugins --backup \"" +
                                              unusable + "\"");
        EXPECT_EQ(87u, refused.exitCode) << unusable << refused.err;
        EXPECT_EQ(std::vector<std::string>{}, changes(before, machineListing(machine.scratch.path())));
    }
    // An item that cannot be read cannot be saved: it stays, and so does the entry.
    testsupport::FileLock locked(folder + "\\VXT5.chm");
    const ProgramRun run = runProgram("remove T520 --json --backup \"" + saved.join("Backup") + "\"");
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_FAILURE), run.exitCode);
    JsonValue document;
    ASSERT_TRUE(parseJson(run.out, document)) << run.out;
    const std::string manifest = contentOf(saved.join("Backup\\manifest.txt"));
    int deleted = 0;
    for (const JsonValue& item : document["items"].elements) {
        std::string path = item["path"].text;
        if (item["outcome"].text != "deleted")
            continue;
        ++deleted;
        path = path.compare(0, 5, "HKLM\\") == 0 ? path.substr(5) : path;
        path = path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
        EXPECT_NE(std::string::npos, manifest.find(" \"" + path + "\"")) << path;
    }
    EXPECT_GT(deleted, 10);
    EXPECT_NE(std::string::npos, run.out.find("VXT5.chm\",\"kind\":\"file\",\"outcome\":\"failed\""));
    EXPECT_EQ(GetFileAttributesA((folder + "\\VXT5.chm").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}
