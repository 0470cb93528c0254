// The uninstall procedure on a scratch machine: what each run leaves, and the
// exact messages it shows, captured from the real message boxes.
#include "tests/app/UninstallTesting.h"

#include "app/ProtectedFolders.h"
#include "app/UninstallFolders.h"
#include "foundation/RegistryKey.h"
#include "tests/support/FileLock.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include <shlobj.h>

using namespace uninstalltesting;

namespace {

const KeepOptions keepAll{true, true, true};
const KeepOptions keepNothing{false, false, false};
const char shellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string fileFailure = "Unable to delete the file \n";
const std::string folderFailure = "Unable to delete the directory \n";

std::function<bool(const MachineItem&)> under(const std::string& folder)
{
    return [folder](const MachineItem& item) { return item.path == folder || item.path.rfind(folder + "\\", 0) == 0; };
}

// The user's Documents folder moved for one test, as the shell reads it.
struct DocumentsFolder {
    explicit DocumentsFolder(const std::string& path)
        : had(RegGetValueA(HKEY_CURRENT_USER, key, "Personal", RRF_RT_ANY | RRF_NOEXPAND, nullptr, saved, &size) == 0)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "Personal", REG_EXPAND_SZ, path.c_str(), DWORD(path.size() + 1));
    }
    ~DocumentsFolder()
    {
        if (had)
            RegSetKeyValueA(HKEY_CURRENT_USER, key, "Personal", REG_EXPAND_SZ, saved, size);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "Personal");
        // The shell copies what it reads into "Shell Folders"; asking again puts it right.
        char path[MAX_PATH];
        SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path);
    }
    const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    char saved[MAX_PATH] = {};
    DWORD size = sizeof saved;
    bool had;
};

// A scratch machine with one product installed in folder, the T520 unless the test
// installs another; run() removes that product.
class OneProductMachine : public ::testing::Test {
protected:
    void SetUp() override
    {
        T5_REQUIRE_SANDBOX();
        reinstall();
    }
    // A machine of its own in place of the last one; plug-ins in scratch\pluginsName, or none.
    void reinstall(const std::string& modelCode = "T520", const std::string& pluginsName = "Plugins")
    {
        product = modelCode;
        folder = machine.emplace(pluginsName).fixture.install(modelCode);
    }
    MachineFixture& fixture() { return machine->fixture; }
    RunResult run(KeepOptions keep) { return runUninstall(fixture(), product, keep); }
    std::string plugins() { return fixture().layout().pluginFolder; }

    std::optional<TestMachine> machine;
    std::string product;
    std::string folder;
};

} // namespace

struct UninstallProducts : OneProductMachine {};
struct UninstallPluginFolder : OneProductMachine {};
struct UninstallPatterns : OneProductMachine {};
struct UninstallFailures : OneProductMachine {};
struct UninstallInstallFolder : OneProductMachine {};
struct UninstallShellFolders : OneProductMachine {};
struct UninstallProtectedFolders : OneProductMachine {};
struct UninstallServices : OneProductMachine {};

TEST_F(UninstallProducts, EachKeepCombinationRemovesExactlyWhatItDoesNotKeep)
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string caption = String(program).fileName().stripExtension().cStr();
    for (int mask = 0; mask < 8; ++mask) {
        SCOPED_TRACE(mask);
        const KeepOptions keep{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
        reinstall("T530MCH");
        const RunResult removal = run(keep);
        EXPECT_TRUE(removal.completed);
        EXPECT_TRUE(removal.closePosted);
        EXPECT_EQ(completedAfter(), removal.messages);
        EXPECT_EQ(std::vector<std::string>{caption}, removal.captions);
        // Both uninstall entries and both services go: the T530 no longer counts as installed.
        EXPECT_TRUE(leftAsExpected(fixture(), 3, keep));
    }
}

TEST_F(UninstallProducts, OnlyTheChosenProductGoesAndTheBrandFolderWithTheLastGroup)
{
    fixture().install("T530MCH");
    EXPECT_EQ(completedAfter(), run(keepAll).messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepAll));
    EXPECT_EQ(completedAfter(), runUninstall(fixture(), "T530MCH", keepAll).messages);
    EXPECT_FALSE(exists(fixture().programsFolder() + "\\Vantorix"));
}

// No product, or a vanished uninstall entry, changes nothing and keeps the window.
TEST_F(UninstallProducts, AnEarlyEndChangesNothingUnlessTheFolderIsGiven)
{
    const size_t before = fixture().remaining().size();
    const RunResult none = runUninstall(fixture(), "T999", keepNothing);
    EXPECT_EQ(std::vector<std::string>{"T5 application not chosen"}, none.messages);
    EXPECT_FALSE(none.completed || none.closePosted);
    EXPECT_EQ(before, fixture().remaining().size());

    RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(uninstallKey("Vantorix T520").c_str());
    const size_t withoutEntry = fixture().remaining().size();
    const RunResult vanished = run(keepNothing);
    EXPECT_EQ(std::vector<std::string>{"Uninstall key not found !"}, vanished.messages);
    EXPECT_FALSE(vanished.completed || vanished.closePosted);
    EXPECT_EQ(withoutEntry, fixture().remaining().size());
    EXPECT_TRUE(runUninstall(fixture(), "T520", keepNothing, (folder + "\\").c_str()).completed);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepNothing));
}

// The environment wins over "SearchPath". The window joins folder and name as the
// value was written: a "SearchPath" with a backslash of its own shows it doubled,
// as the user's message always did.
TEST_F(UninstallPluginFolder, FromTheEnvironmentOrAsSearchPathWasWritten)
{
    const std::string fromEnvironment = machine->path("EnvPlugins");
    fixture().addFile(fromEnvironment + "\\T520DEMOD.PLX", ItemKind::pluginFile, 1);
    fixture().addFile(fromEnvironment + "\\Rx_Config.dat", ItemKind::pluginSettings, 1);
    _putenv(("PLX_PLUGIN_PATH=" + fromEnvironment).c_str());
    const RunResult kept = run(keepAll);
    _putenv("PLX_PLUGIN_PATH=");
    EXPECT_EQ(completedAfter(), kept.messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepAll, under(plugins())));

    fixture().install("T520");
    setValue("Software\\PLX", "SearchPath", plugins() + "\\");
    const testsupport::FileLock lock(plugins() + "\\T520DEMOD.PLX");
    EXPECT_EQ(completedAfter({fileFailure + plugins() + "\\\\T520DEMOD.PLX"}), run(keepAll).messages);
}

TEST_F(UninstallPluginFolder, NoneOrARelativeOneSkipsItsStepsAndLeavesTheCurrentFolder)
{
    const std::vector<std::string> messages[] = {completedAfter({"Unable to obtain the plugins path"}),
                                                 completedAfter()};
    for (int relative = 0; relative < 2; ++relative) {
        reinstall("T520", "");
        fixture().addFile(machine->path("Cwd\\Plugins\\T520DEMOD.PLX"));
        fixture().addFile(machine->path("Cwd\\Plugins\\A_Config.dat"));
        CurrentFolder current(machine->path("Cwd"));
        if (relative)
            _putenv("PLX_PLUGIN_PATH=Plugins");
        const RunResult skipped = run(keepNothing);
        _putenv("PLX_PLUGIN_PATH=");
        EXPECT_EQ(messages[relative], skipped.messages);
        EXPECT_TRUE(skipped.skippedAs(UninstallStep::pluginFolder, SkipReason::folderUnknown));
        EXPECT_TRUE(leftAsExpected(fixture(), 1, keepNothing));
    }
}

TEST_F(UninstallPatterns, SettingsSweepIsCaseSensitiveAndDataExtensionsAreUpperCased)
{
    for (const char* name : {"A_Config.dat", "_Config.dat"})
        fixture().addFile(plugins() + "\\" + name, ItemKind::pluginSettings, 1);
    for (const char* name : {"LOG.t5m", "X.CAL"})
        fixture().addFile(folder + "\\" + name, ItemKind::dataFile, 1);
    for (const std::string& other : {plugins() + "\\Other_config.dat", plugins() + "\\_Config.dat.bak",
                                     folder + "\\README.txt", folder + "\\T5M", folder + "\\Sub\\Y.T5M"})
        fixture().addFile(other);
    const KeepOptions dataGoes{false, true, true};
    EXPECT_EQ(completedAfter(), run(dataGoes).messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, dataGoes));
}

// The ANSI listing gives a fullwidth backslash or solidus, or a division slash,
// as a real separator. Such a name is never joined to its folder: a data file is
// left with its message, a settings file silently, and a folder holding either
// stays; what the names would have led to stays too.
TEST_F(UninstallPatterns, ListedNamesThatLeadElsewhereAreNeverJoinedToTheirFolder)
{
    fixture().addFile(machine->path("Products\\Other\\keep.T5M"));
    fixture().addFile(machine->path("Products\\Other\\A_Config.dat"));
    const WideNames names({widened(folder) + L"\\x\xFF3C..\xFF3C..\xFF3COther\xFF3Ckeep.T5M",
                           widened(folder) + L"\\y\xFF0F..\xFF0F..\xFF0FOther\\",
                           widened(plugins()) + L"\\z\x2215..\x2215Products\x2215Other\x2215" L"A_Config.dat"});
    EXPECT_EQ(completedAfter({fileFailure + folder + "\\x\\..\\..\\Other\\keep.T5M", folderFailure + folder + "\\"}),
              run(keepNothing).messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepNothing, [&](const MachineItem& item) {
        return item.path == folder || item.path == plugins();
    }));
}

// A locked file of the product is reported with its path, once, and the run goes
// on; one in a sub-folder that is not the product's keeps the installation
// folder, reported once too.
TEST_F(UninstallFailures, EachLockedFileIsReportedOnceAndTheRunGoesOn)
{
    fixture().addFile(folder + "\\Notes\\running.txt");
    const std::string locked[] = {fixture().windowsFolder() + "VXT5.INI",
                                  fixture().systemFolder() + "Drivers\\VXT520.SYS"};
    const testsupport::FileLock first(locked[0]), second(locked[1]), notes(folder + "\\Notes\\running.txt");
    EXPECT_EQ(completedAfter({fileFailure + locked[0], fileFailure + locked[1], folderFailure + folder + "\\"}),
              run(keepNothing).messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepNothing, [&](const MachineItem& item) {
        return item.path == locked[0] || item.path == locked[1] || item.path == folder || item.kind == ItemKind::other;
    }));
}

// A path too long for the ANSI calls: whether the file is there cannot be learnt,
// so it never counts as deleted.
TEST_F(UninstallFailures, AFileThatCannotBeCheckedCountsAsNotDeleted)
{
    const std::string deep = machine->path(std::string(150, 'a') + "\\" + std::string(150, 'b'));
    const std::wstring wide = L"\\\\?\\" + widened(deep);
    const WideNames made({wide.substr(0, wide.rfind(L'\\') + 1), wide + L"\\", wide + L"\\VXT520.exe"});
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", deep + "\\VXT520.exe");
    std::vector<std::string> expected;
    for (const char* name : {"VXT520.exe", "VXT5.chm", "T5app.exe", "VXT520.chm"})
        expected.push_back(fileFailure + deep + "\\" + name);
    EXPECT_EQ(completedAfter(expected), run(keepAll).messages);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(made.paths.back().c_str()));
}

// The run on such a value: ConsoleRemove.ExpandableAndBlankQuotedValuesRemoveTheProduct.
TEST(InstallFolderFromIcon, AQuotedIconWithAnIndexNamesTheSameFolder)
{
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon("C:\\Prog\\Rx\\VXT520.exe")));
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon("\"C:\\Prog\\Rx\\VXT520.exe\",0")));
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon("C:\\Prog\\Rx\\VXT520.exe,-101")));
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon(" \"C:\\Prog\\Rx\\VXT520.exe\" , -101 ")));
    EXPECT_EQ("", text(installFolderFromIcon("  ")));
    EXPECT_EQ("\\\\srv\\share\\", text(installFolderFromIcon("\\\\srv\\share\\VXT520.exe")));
}

TEST_F(UninstallInstallFolder, AnUnusableOneSkipsItsStepsAndNeverMeansTheCurrentFolder)
{
    for (const char* icon : {"", "VXT520.exe", "Rx\\VXT520.exe", "C:VXT520.exe", "\\\\srv\\VXT520.exe", "-"}) {
        SCOPED_TRACE(icon);
        reinstall();
        for (const char* name : {"VXT520.exe", "Data.T5M", "Rx\\VXT520.exe"})
            fixture().addFile(machine->path("Cwd\\") + name);
        CurrentFolder current(machine->path("Cwd"));
        if (icon[0] == '-')
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, uninstallKey("Vantorix T520").c_str(), "DisplayIcon");
        else
            setValue(uninstallKey("Vantorix T520"), "DisplayIcon", icon);
        const RunResult skipped = run(keepNothing);
        EXPECT_EQ(completedAfter(), skipped.messages);
        for (UninstallStep step :
             {UninstallStep::applicationFiles, UninstallStep::dataFiles, UninstallStep::installFolder})
            EXPECT_TRUE(skipped.skippedAs(step, SkipReason::folderUnknown));
        EXPECT_TRUE(leftAsExpected(fixture(), 1, keepNothing, under(folder)));
    }
}

// Without the key there is no programs or desktop folder: nothing is looked for
// at the root of the current drive instead.
TEST_F(UninstallShellFolders, WithoutTheirKeyGroupShortcutsAndBrandFolderAreLeftAlone)
{
    reinstall("T520", "");
    const std::string root = machine->path("").substr(0, 3);
    fixture().addFolder(root + "Vantorix");
    fixture().addFile(root + "Vantorix\\Vx-t520\\T520.lnk");
    fixture().addFile(root + "Vantorix T520.lnk");
    CurrentFolder current(machine->path(""));
    RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(shellFolders);
    const RunResult skipped = run(keepAll);
    EXPECT_EQ(completedAfter({"Unable to obtain the plugins path"}), skipped.messages);
    for (UninstallStep step : {UninstallStep::menuGroup, UninstallStep::shortcuts, UninstallStep::brandFolder})
        EXPECT_TRUE(skipped.skippedAs(step, SkipReason::folderUnknown));
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepAll, [](const MachineItem& item) {
        return item.kind == ItemKind::menuGroup || item.kind == ItemKind::shortcut;
    }));
}

// Asking the shell for its folders makes it rewrite "Shell Folders" from its own
// records. The run asks it nothing, so step 15 reads the key as it stood: the
// all-users values where they name other folders than the shell's own, and, where
// they are missing, the per-user values, with the all-users ones still missing.
TEST_F(UninstallShellFolders, TheKeyIsReadAsItStoodAndLeftAsItWas)
{
    const char* userShellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    const char* own[][2] = {{"Common Programs", "%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs"},
                            {"Common Desktop", "%PUBLIC%\\Desktop"}};
    for (int missing = 0; missing < 2; ++missing) {
        SCOPED_TRACE(missing);
        reinstall();
        for (const auto& value : own) {
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, userShellFolders, value[0], REG_EXPAND_SZ, value[1],
                            static_cast<DWORD>(strlen(value[1]) + 1));
            if (missing)
                RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, shellFolders, value[0]);
        }
        if (missing) {
            setValue(shellFolders, "Programs", fixture().programsFolder());
            setValue(shellFolders, "Desktop", fixture().desktopFolder());
        }
        EXPECT_EQ(completedAfter(), run(keepAll).messages);
        EXPECT_TRUE(leftAsExpected(fixture(), 1, keepAll));
        RegistryKey key(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(key.open(shellFolders, false));
        EXPECT_EQ(missing ? "" : fixture().programsFolder(), key.readString("Common Programs", "").cStr());
    }
}

// Documents moved into scratch\Profile makes scratch\Profile a folder that holds a
// well-known one; reached through "..", as the plug-in folder, or as a drive root.
TEST_F(UninstallProtectedFolders, RootsAndFoldersHoldingKnownFoldersAreRefused)
{
    const std::string profile = machine->path("Profile");
    const DocumentsFolder documents(profile + "\\Docs");
    for (const char* name : {"Docs\\Letter.T5M", "Memory.T5M", "Rx_Config.dat"})
        fixture().addFile(profile + "\\" + name);
    fixture().addFile(profile + "\\VXT520.exe", ItemKind::applicationFile, 1);
    fixture().addFile(profile + "\\T520DEMOD.PLX", ItemKind::pluginFile, 1);
    const std::string roundabout = folder + "\\..\\..\\Profile\\";
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", roundabout + "VXT520.exe");
    _putenv(("PLX_PLUGIN_PATH=" + profile).c_str());
    const RunResult refused = run(keepNothing);
    _putenv("PLX_PLUGIN_PATH=");
    EXPECT_EQ(completedAfter({folderFailure + roundabout}), refused.messages);
    for (UninstallStep step : {UninstallStep::settingsSweep, UninstallStep::dataFiles, UninstallStep::pluginFolder,
                               UninstallStep::installFolder})
        EXPECT_TRUE(refused.skippedAs(step, SkipReason::folderProtected));
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepNothing,
                               [&](const MachineItem& item) { return under(folder)(item) || under(plugins())(item); }));

    const std::string root = profile.substr(0, 3);
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", root + "T5Probe.exe");
    fixture().addFile(root + "T5Probe.T5M");
    EXPECT_EQ(completedAfter({"Unable to obtain the plugins path", folderFailure + root}), run(keepNothing).messages);
    EXPECT_TRUE(fixture().exists(fixture().items().back()));
}

// Every profile on the machine is protected, not only the running account's: one
// more in the profile list, named as the system names profiles, with the profile,
// a folder in it and its start menu's programs. So are folders inside the Windows
// folder by other names: the drivers folder, System32 through the administrative
// share and the drivers folder through a drive letter for System32 (both made by
// the test command where it can; a share that cannot be opened to ask is refused
// as well). Each is named by "DisplayIcon" in turn.
TEST_F(UninstallProtectedFolders, ProfilesAndFoldersInsideWindowsByAnyNameAreRefused)
{
    const std::string share = "\\\\localhost\\C$\\Windows\\System32\\";
    EXPECT_TRUE(ProtectedFolders().refuses((share + "drivers").c_str()));
    reinstall("T530MCH");
    const std::string profile = machine->path("Alice") + "\\";
    const std::string entry = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-5-5-5-" +
                              std::to_string(GetCurrentProcessId());
    fixture().addKey(entry);
    const std::string image = "%SystemDrive%" + profile.substr(2);
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "ProfileImagePath", REG_EXPAND_SZ, image.c_str(),
                    static_cast<DWORD>(image.size() + 1));
    std::vector<std::string> folders{profile, profile + "Desktop\\",
                                     profile + "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\",
                                     fixture().systemFolder() + "Drivers\\", share};
    if (const char* drive = std::getenv("T5_TEST_SYSTEM_DRIVE"))
        folders.push_back(std::string(drive) + "\\drivers\\");
    for (const std::string& refused : folders)
        if (refused.rfind(profile, 0) == 0 || exists(refused))
            fixture().addFile(refused + "T5Probe.T5M");
    for (const std::string& refused : folders) {
        SCOPED_TRACE(refused);
        setValue(uninstallKey("Vantorix T530 Multichannel"), "DisplayIcon", refused + "shell32.dll,3");
        setValue("Software\\PLX", "SearchPath", plugins());
        const RunResult removal = run(keepNothing);
        EXPECT_EQ(completedAfter({folderFailure + refused}), removal.messages);
        EXPECT_TRUE(removal.skippedAs(UninstallStep::dataFiles, SkipReason::folderProtected));
    }
    EXPECT_TRUE(leftAsExpected(fixture(), 3, keepNothing, under(folder)));
}

// The plug-in folder and the installation folder go whole, but never with another
// installed product's folder in them, nor the plug-in folder with this product's
// while its data is kept: the folder both products are in as the plug-in folder,
// then as the folder "DisplayIcon" names.
TEST_F(UninstallProtectedFolders, FoldersHoldingAnotherProductOrKeptDataStay)
{
    fixture().install("T540");
    const std::string products = fixture().layout().productsFolder;
    const auto staying = under(plugins());
    const KeepOptions dataKept{true, true, false};
    setValue("Software\\PLX", "SearchPath", products);
    EXPECT_EQ(completedAfter(), run(dataKept).messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, dataKept, staying));
    setValue("Software\\PLX", "SearchPath", products);
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", products + "\\VXT520.exe");
    EXPECT_EQ(completedAfter({folderFailure + products + "\\"}), run(keepNothing).messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepNothing, [&](const MachineItem& item) {
        return staying(item) || item.kind == ItemKind::dataFile || item.path == folder;
    }));
}

// A link on the way is followed to where the folder really is.
TEST_F(UninstallProtectedFolders, AFolderReachedThroughALinkIsJudgedWhereItLeads)
{
    const char* links = std::getenv("T5_TEST_LINK_DIR");
    if (links == nullptr)
        GTEST_SKIP() << "needs the link made by the test command";
    const DocumentsFolder documents(std::string(links) + "\\target");
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", std::string(links) + "\\tree\\link\\VXT520.exe");
    EXPECT_TRUE(run(KeepOptions{false, true, true}).skippedAs(UninstallStep::dataFiles, SkipReason::folderProtected));
}

TEST_F(UninstallServices, ALinkKeyBelowAServiceGoesItselfAndWhatItLeadsToStays)
{
    const std::string canary = "SYSTEM\\T5LinkCanary-" + std::to_string(GetCurrentProcessId());
    fixture().addKey(canary);
    fixture().addKey(canary + "\\Kept");
    const std::wstring target = L"\\Registry\\Machine\\" + widened(canary);
    ASSERT_TRUE(makeLinkKey("SYSTEM\\CurrentControlSet\\Services\\VXT520\\Link", target));
    EXPECT_EQ(completedAfter(), run(keepAll).messages);
    EXPECT_TRUE(leftAsExpected(fixture(), 1, keepAll));
}
