// What a product leaves and who reaches it: scan finds every trace once the
// uninstall entry is gone, in the common folders and in another user's profile;
// clean removes them; --all-users reaches every profile and only the product there.
#include "app/ProductRecord.h"
#include "console/UserProfiles.h"
#include "foundation/RegistryKey.h"
#include "tests/app/UninstallTesting.h"
#include "tests/console/ConsoleTesting.h"
#include "tests/support/Sandbox.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

using namespace consoletesting;
using namespace uninstalltesting;

namespace {

const char groupBelowProfile[] = "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Vantorix\\";

// A second account's profile in the scratch folder, listed under ProfileList
// (its native view) while the object lives, holding the product's start-menu
// group and shortcuts and the group of another product.
struct SecondProfile {
    SecondProfile(TestMachine& machine, const ProductRecord& product, const std::string& otherGroup)
        : folder(machine.path("Users\\second"))
    {
        const std::string group = folder + groupBelowProfile + product.menuGroup.cStr();
        machine.fixture.addFile(group + "\\" + product.modelCode.cStr() + ".lnk");
        machine.fixture.addFile(folder + groupBelowProfile + otherGroup + "\\Other.lnk");
        for (int i = 0; i < product.shortcuts.count(); ++i)
            machine.fixture.addFile(folder + "\\Desktop\\" + product.shortcuts.item(i).cStr());
        machine.fixture.addFile(folder + "\\Desktop\\Somebody else's.lnk");
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, entry().c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, "ProfileImagePath", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
        RegCloseKey(key);
    }
    ~SecondProfile() { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, entry().c_str(), KEY_WOW64_64KEY, 0); }
    static std::string entry() { return std::string(profileListKey()) + "\\S-1-5-21-7-7-7-1001"; }

    std::string folder;
};

} // namespace

TEST(ConsoleScan, FindsEveryTraceOnceTheUninstallEntryIsGone)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T530MCH");
    const ProductRecord& product = *machine.fixture.product("T530MCH");
    SecondProfile second(machine, product, "Vx-t520");
    for (const char* entry : {"Vantorix T530 Multichannel", "Vantorix T530 Application"})
        RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(uninstallKey(entry).c_str());

    const ProgramRun run = runProgram("scan");
    EXPECT_EQ(0u, run.exitCode) << run.err;
    std::vector<std::string> found;
    for (const std::string& line : linesAfter(run.out, "T530MCH\t"))
        found.push_back(line.substr(line.find('\t') + 1));
    std::vector<std::string> expected;
    for (const MachineItem& item : machine.fixture.items()) {
        const bool elsewhere = item.kind == ItemKind::applicationFile || item.kind == ItemKind::dataFile ||
                               item.kind == ItemKind::uninstallEntry || item.kind == ItemKind::installFolder;
        if ((item.productId == product.id && !elsewhere) || item.kind == ItemKind::sharedFile)
            expected.push_back(item.type == ItemType::key      ? "HKLM\\" + item.path
                               : item.type == ItemType::folder ? item.path + "\\"
                                                               : item.path);
    }
    expected.push_back(second.folder + groupBelowProfile + "Vx-t530\\");
    for (int i = 0; i < product.shortcuts.count(); ++i)
        expected.push_back(second.folder + "\\Desktop\\" + product.shortcuts.item(i).cStr());
    for (const std::string& trace : expected)
        EXPECT_NE(std::find(found.begin(), found.end(), trace), found.end()) << trace << "\n" << run.out;
    EXPECT_EQ(found.size(), expected.size()) << run.out;
}

TEST(ConsoleClean, RemovesEveryTraceAndTakesOnlyAFolderWithTheProductsFiles)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T530MCH");
    const ProductRecord& product = *machine.fixture.product("T530MCH");
    SecondProfile second(machine, product, "Vx-t520");
    for (const char* entry : {"Vantorix T530 Multichannel", "Vantorix T530 Application"})
        RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(uninstallKey(entry).c_str());
    ASSERT_TRUE(machine.scratch.writeFile("Elsewhere\\readme.txt"));
    machine.fixture.addFile(machine.fixture.windowsFolder() + "T5MCH.EXE");
    const std::vector<MachineItem> before = machine.fixture.remaining();
    const std::string windows = machine.fixture.windowsFolder();
    for (const std::string& refused : {machine.path("Elsewhere"), windows.substr(0, windows.size() - 1)}) {
        const ProgramRun run = runProgram("clean T530MCH --remove-data --install-folder \"" + refused + "\"");
        EXPECT_EQ(87u, run.exitCode) << refused;
        EXPECT_NE(std::string::npos, run.err.find(refused)) << run.err;
        EXPECT_EQ(before.size(), machine.fixture.remaining().size());
    }

    const ProgramRun run = runProgram("clean t530mch --remove-data --remove-shared --remove-plugins --all-users "
                                      "--install-folder \"" + folder + "\"");
    EXPECT_EQ(0u, run.exitCode) << run.out << run.err;
    for (const MachineItem& item : machine.fixture.remaining())
        EXPECT_EQ(ItemKind::other, item.kind) << item.path;
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ConsoleAllUsers, TakesTheGroupAndShortcutsOfEveryProfileAndLeavesOthers)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T540");
    machine.fixture.install("T520");
    const ProductRecord& product = *machine.fixture.product("T540");
    SecondProfile second(machine, product, "Vx-t520");
    const std::string group = second.folder + groupBelowProfile + "Vx-t540";
    EXPECT_EQ(std::string::npos, runProgram("remove T540 --dry-run").out.find(group));

    testsupport::ScratchFolder saved;
    const ProgramRun run = runProgram("remove T540 --all-users --backup \"" + saved.join("Backup") + "\"");
    EXPECT_EQ(0u, run.exitCode) << run.out << run.err;
    for (const MachineItem& item : machine.fixture.remaining()) {
        const bool profiles = item.path.compare(0, second.folder.size(), second.folder) == 0;
        EXPECT_TRUE(!profiles || item.path.find("Vx-t520") != std::string::npos ||
                    item.path.find("Somebody") != std::string::npos)
            << item.path;
    }
    EXPECT_NE(GetFileAttributesA((second.folder + groupBelowProfile + "Vx-t520").c_str()), INVALID_FILE_ATTRIBUTES);
    std::ifstream manifest(saved.join("Backup\\manifest.txt"), std::ios::binary);
    const std::string saves((std::istreambuf_iterator<char>(manifest)), {});
    EXPECT_NE(std::string::npos, saves.find("folder ")) << saves;
    EXPECT_NE(std::string::npos, saves.find(" \"" + group + "\"")) << saves;
}
