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

} // namespace

TEST(UninstallKeepOptions, EachCombinationRemovesExactlyWhatItDoesNotKeep)
{
    T5_REQUIRE_SANDBOX();
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string caption = String(program).fileName().stripExtension().cStr();
    for (int mask = 0; mask < 8; ++mask) {
        SCOPED_TRACE(mask);
        const KeepOptions keep{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
        TestMachine machine;
        machine.fixture.install("T530MCH");
        const RunResult run = runUninstall(machine.fixture, "T530MCH", keep);
        EXPECT_TRUE(run.completed);
        EXPECT_TRUE(run.closePosted);
        EXPECT_EQ(completedOnly(), run.messages);
        EXPECT_EQ(std::vector<std::string>{caption}, run.captions);
        // Both uninstall entries and both services go: the T530 no longer counts as installed.
        EXPECT_TRUE(leftAsExpected(machine.fixture, 3, keep));
    }
}

TEST(UninstallProducts, OnlyTheChosenProductGoesAndTheBrandFolderWithTheLastGroup)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T520");
    machine.fixture.install("T530MCH");
    EXPECT_EQ(completedOnly(), runUninstall(machine.fixture, "T520", keepAll).messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepAll));
    EXPECT_EQ(completedOnly(), runUninstall(machine.fixture, "T530MCH", keepAll).messages);
    EXPECT_FALSE(exists(machine.fixture.programsFolder() + "\\Vantorix"));
}

TEST(UninstallEarlyEnd, NoProductOrAVanishedEntryChangesNothingAndKeepsTheWindow)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T520") + "\\";
    const size_t before = machine.fixture.remaining().size();
    const RunResult none = runUninstall(machine.fixture, "T999", keepNothing);
    EXPECT_EQ(std::vector<std::string>{"T5 application not chosen"}, none.messages);
    EXPECT_FALSE(none.completed || none.closePosted);
    EXPECT_EQ(before, machine.fixture.remaining().size());

    RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(uninstallKey("Vantorix T520").c_str());
    const size_t withoutEntry = machine.fixture.remaining().size();
    const RunResult vanished = runUninstall(machine.fixture, "T520", keepNothing);
    EXPECT_EQ(std::vector<std::string>{"Uninstall key not found !"}, vanished.messages);
    EXPECT_FALSE(vanished.completed || vanished.closePosted);
    EXPECT_EQ(withoutEntry, machine.fixture.remaining().size());
    // Given the folder, the run needs no entry.
    EXPECT_TRUE(runUninstall(machine.fixture, "T520", keepNothing, folder.c_str()).completed);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing));
}

TEST(UninstallPluginFolder, TheEnvironmentWinsOverSearchPath)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T520");
    const std::string fromEnvironment = machine.path("EnvPlugins");
    machine.fixture.addFile(fromEnvironment + "\\T520DEMOD.PLX", ItemKind::pluginFile, 1);
    machine.fixture.addFile(fromEnvironment + "\\Rx_Config.dat", ItemKind::pluginSettings, 1);
    _putenv(("PLX_PLUGIN_PATH=" + fromEnvironment).c_str());
    const RunResult run = runUninstall(machine.fixture, "T520", keepAll);
    _putenv("PLX_PLUGIN_PATH=");
    EXPECT_EQ(completedOnly(), run.messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepAll, under(machine.fixture.layout().pluginFolder)));
}

// The window joins folder and name as the value was written: a "SearchPath" with
// a backslash of its own shows it doubled, as the user's message always did.
TEST(UninstallPluginFolder, TheWindowJoinsTheFolderAsItWasWritten)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T520");
    const std::string plugins = machine.fixture.layout().pluginFolder;
    setValue("Software\\PLX", "SearchPath", plugins + "\\");
    const testsupport::FileLock lock(plugins + "\\T520DEMOD.PLX");
    EXPECT_EQ((std::vector<std::string>{fileFailure + plugins + "\\\\T520DEMOD.PLX", "Uninstallation completed !"}),
              runUninstall(machine.fixture, "T520", keepAll).messages);
}

TEST(UninstallPluginFolder, NoneOrARelativeOneSkipsItsStepsAndLeavesTheCurrentFolder)
{
    T5_REQUIRE_SANDBOX();
    const std::vector<std::string> messages[] = {{"Unable to obtain the plugins path", "Uninstallation completed !"},
                                                 completedOnly()};
    for (int relative = 0; relative < 2; ++relative) {
        TestMachine machine("");
        machine.fixture.install("T520");
        machine.fixture.addFile(machine.path("Cwd\\Plugins\\T520DEMOD.PLX"));
        machine.fixture.addFile(machine.path("Cwd\\Plugins\\A_Config.dat"));
        CurrentFolder current(machine.path("Cwd"));
        if (relative)
            _putenv("PLX_PLUGIN_PATH=Plugins");
        const RunResult run = runUninstall(machine.fixture, "T520", keepNothing);
        _putenv("PLX_PLUGIN_PATH=");
        EXPECT_EQ(messages[relative], run.messages);
        EXPECT_TRUE(run.skippedAs(UninstallStep::pluginFolder, SkipReason::folderUnknown));
        EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing));
    }
}

TEST(UninstallPatterns, SettingsSweepIsCaseSensitiveAndDataExtensionsAreUpperCased)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T520");
    const std::string plugins = machine.fixture.layout().pluginFolder;
    machine.fixture.addFile(plugins + "\\A_Config.dat", ItemKind::pluginSettings, 1);
    machine.fixture.addFile(plugins + "\\_Config.dat", ItemKind::pluginSettings, 1);
    machine.fixture.addFile(plugins + "\\Other_config.dat");
    machine.fixture.addFile(plugins + "\\_Config.dat.bak");
    machine.fixture.addFile(folder + "\\LOG.t5m", ItemKind::dataFile, 1);
    machine.fixture.addFile(folder + "\\X.CAL", ItemKind::dataFile, 1);
    machine.fixture.addFile(folder + "\\README.txt");
    machine.fixture.addFile(folder + "\\T5M");
    machine.fixture.addFile(folder + "\\Sub\\Y.T5M");
    const KeepOptions dataGoes{false, true, true};
    EXPECT_EQ(completedOnly(), runUninstall(machine.fixture, "T520", dataGoes).messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, dataGoes));
}

// The ANSI listing gives a fullwidth backslash or solidus, or a division slash,
// as a real separator. Such a name is never joined to its folder: a data file is
// left with its message, a settings file silently, and a folder holding either
// stays; what the names would have led to stays too.
TEST(UninstallPatterns, ListedNamesThatLeadElsewhereAreNeverJoinedToTheirFolder)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T520");
    machine.fixture.addFile(machine.path("Products\\Other\\keep.T5M"));
    machine.fixture.addFile(machine.path("Products\\Other\\A_Config.dat"));
    const WideNames names({widened(folder) + L"\\x\xFF3C..\xFF3C..\xFF3COther\xFF3Ckeep.T5M",
                           widened(folder) + L"\\y\xFF0F..\xFF0F..\xFF0FOther\\",
                           widened(machine.fixture.layout().pluginFolder) +
                               L"\\z\x2215..\x2215Products\x2215Other\x2215" L"A_Config.dat"});
    EXPECT_EQ((std::vector<std::string>{fileFailure + folder + "\\x\\..\\..\\Other\\keep.T5M",
                                        folderFailure + folder + "\\", "Uninstallation completed !"}),
              runUninstall(machine.fixture, "T520", keepNothing).messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing, [&](const MachineItem& item) {
        return item.path == folder || item.path == machine.fixture.layout().pluginFolder;
    }));
}

// A locked file of the product is reported with its path, once, and the run goes
// on; one in a sub-folder that is not the product's keeps the installation
// folder, reported once too.
TEST(UninstallFailures, EachLockedFileIsReportedOnceAndTheRunGoesOn)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T520");
    machine.fixture.addFile(folder + "\\Notes\\running.txt");
    const std::string locked[] = {machine.fixture.windowsFolder() + "VXT5.INI",
                                  machine.fixture.systemFolder() + "Drivers\\VXT520.SYS"};
    const testsupport::FileLock first(locked[0]), second(locked[1]), notes(folder + "\\Notes\\running.txt");
    const RunResult run = runUninstall(machine.fixture, "T520", keepNothing);
    EXPECT_EQ((std::vector<std::string>{fileFailure + locked[0], fileFailure + locked[1], folderFailure + folder + "\\",
                                        "Uninstallation completed !"}),
              run.messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing, [&](const MachineItem& item) {
        return item.path == locked[0] || item.path == locked[1] || item.path == folder || item.kind == ItemKind::other;
    }));
}

// A path too long for the ANSI calls: whether the file is there cannot be learnt,
// so it never counts as deleted.
TEST(UninstallFailures, AFileThatCannotBeCheckedCountsAsNotDeleted)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T520");
    const std::string folder = machine.path(std::string(150, 'a') + "\\" + std::string(150, 'b'));
    const std::wstring wide = L"\\\\?\\" + std::wstring(folder.begin(), folder.end());
    CreateDirectoryW(wide.substr(0, wide.rfind(L'\\')).c_str(), nullptr);
    CreateDirectoryW(wide.c_str(), nullptr);
    CloseHandle(CreateFileW((wide + L"\\VXT520.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", folder + "\\VXT520.exe");
    std::vector<std::string> expected;
    for (const char* name : {"VXT520.exe", "VXT5.chm", "T5app.exe", "VXT520.chm"})
        expected.push_back(fileFailure + folder + "\\" + name);
    expected.push_back("Uninstallation completed !");
    EXPECT_EQ(expected, runUninstall(machine.fixture, "T520", keepAll).messages);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((wide + L"\\VXT520.exe").c_str()));
    DeleteFileW((wide + L"\\VXT520.exe").c_str());
    RemoveDirectoryW(wide.c_str());
    RemoveDirectoryW(wide.substr(0, wide.rfind(L'\\')).c_str());
}

// The run on such a value: ConsoleRemove.ExpandableAndBlankQuotedValuesRemoveTheProduct.
TEST(UninstallInstallFolder, AQuotedIconWithAnIndexNamesTheSameFolder)
{
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon("C:\\Prog\\Rx\\VXT520.exe")));
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon("\"C:\\Prog\\Rx\\VXT520.exe\",0")));
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon("C:\\Prog\\Rx\\VXT520.exe,-101")));
    EXPECT_EQ("C:\\Prog\\Rx\\", text(installFolderFromIcon(" \"C:\\Prog\\Rx\\VXT520.exe\" , -101 ")));
    EXPECT_EQ("", text(installFolderFromIcon("  ")));
    EXPECT_EQ("\\\\srv\\share\\", text(installFolderFromIcon("\\\\srv\\share\\VXT520.exe")));
}

TEST(UninstallInstallFolder, AnUnusableOneSkipsItsStepsAndNeverMeansTheCurrentFolder)
{
    T5_REQUIRE_SANDBOX();
    for (const char* icon : {"", "VXT520.exe", "Rx\\VXT520.exe", "C:VXT520.exe", "\\\\srv\\VXT520.exe", "-"}) {
        SCOPED_TRACE(icon);
        TestMachine machine;
        const std::string folder = machine.fixture.install("T520");
        for (const char* name : {"VXT520.exe", "Data.T5M", "Rx\\VXT520.exe"})
            machine.fixture.addFile(machine.path("Cwd\\") + name);
        CurrentFolder current(machine.path("Cwd"));
        if (icon[0] == '-')
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, uninstallKey("Vantorix T520").c_str(), "DisplayIcon");
        else
            setValue(uninstallKey("Vantorix T520"), "DisplayIcon", icon);
        const RunResult run = runUninstall(machine.fixture, "T520", keepNothing);
        EXPECT_EQ(completedOnly(), run.messages);
        EXPECT_TRUE(run.skippedAs(UninstallStep::applicationFiles, SkipReason::folderUnknown));
        EXPECT_TRUE(run.skippedAs(UninstallStep::dataFiles, SkipReason::folderUnknown));
        EXPECT_TRUE(run.skippedAs(UninstallStep::installFolder, SkipReason::folderUnknown));
        EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing, under(folder)));
    }
}

// Without the key there is no programs or desktop folder: nothing is looked for
// at the root of the current drive instead.
TEST(UninstallShellFolders, WithoutTheirKeyGroupShortcutsAndBrandFolderAreLeftAlone)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine("");
    machine.fixture.install("T520");
    const std::string root = machine.path("").substr(0, 3);
    machine.fixture.addFolder(root + "Vantorix");
    machine.fixture.addFile(root + "Vantorix\\Vx-t520\\T520.lnk");
    machine.fixture.addFile(root + "Vantorix T520.lnk");
    CurrentFolder current(machine.path(""));
    RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(shellFolders);
    const RunResult run = runUninstall(machine.fixture, "T520", keepAll);
    EXPECT_EQ((std::vector<std::string>{"Unable to obtain the plugins path", "Uninstallation completed !"}), run.messages);
    EXPECT_TRUE(run.skippedAs(UninstallStep::menuGroup, SkipReason::folderUnknown));
    EXPECT_TRUE(run.skippedAs(UninstallStep::shortcuts, SkipReason::folderUnknown));
    EXPECT_TRUE(run.skippedAs(UninstallStep::brandFolder, SkipReason::folderUnknown));
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepAll,
                           [](const MachineItem& item) {
                               return item.kind == ItemKind::menuGroup || item.kind == ItemKind::shortcut;
                           }));
}

// Asking the shell for its folders makes it rewrite "Shell Folders" from its own
// records. The run asks it nothing, so step 15 reads the key as it stood: the
// all-users values where they name other folders than the shell's own, and, where
// they are missing, the per-user values, with the all-users ones still missing.
TEST(UninstallShellFolders, TheKeyIsReadAsItStoodAndLeftAsItWas)
{
    T5_REQUIRE_SANDBOX();
    const char* userShellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    const char* own[][2] = {{"Common Programs", "%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs"},
                            {"Common Desktop", "%PUBLIC%\\Desktop"}};
    for (int missing = 0; missing < 2; ++missing) {
        SCOPED_TRACE(missing);
        TestMachine machine;
        machine.fixture.install("T520");
        for (const auto& value : own) {
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, userShellFolders, value[0], REG_EXPAND_SZ, value[1],
                            static_cast<DWORD>(strlen(value[1]) + 1));
            if (missing)
                RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, shellFolders, value[0]);
        }
        if (missing) {
            setValue(shellFolders, "Programs", machine.fixture.programsFolder());
            setValue(shellFolders, "Desktop", machine.fixture.desktopFolder());
        }
        EXPECT_EQ(completedOnly(), runUninstall(machine.fixture, "T520", keepAll).messages);
        EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepAll));
        RegistryKey key(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(key.open(shellFolders, false));
        EXPECT_EQ(missing ? "" : machine.fixture.programsFolder(), key.readString("Common Programs", "").cStr());
    }
}

// Documents moved into scratch\Profile makes scratch\Profile a folder that holds a
// well-known one; reached through "..", as the plug-in folder, or as a drive root.
TEST(UninstallProtectedFolders, RootsAndFoldersHoldingKnownFoldersAreRefused)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T520");
    const std::string profile = machine.path("Profile");
    const DocumentsFolder documents(profile + "\\Docs");
    machine.fixture.addFile(profile + "\\Docs\\Letter.T5M");
    machine.fixture.addFile(profile + "\\Memory.T5M");
    machine.fixture.addFile(profile + "\\Rx_Config.dat");
    machine.fixture.addFile(profile + "\\VXT520.exe", ItemKind::applicationFile, 1);
    machine.fixture.addFile(profile + "\\T520DEMOD.PLX", ItemKind::pluginFile, 1);
    const std::string roundabout = folder + "\\..\\..\\Profile\\";
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", roundabout + "VXT520.exe");
    _putenv(("PLX_PLUGIN_PATH=" + profile).c_str());
    const RunResult run = runUninstall(machine.fixture, "T520", keepNothing);
    _putenv("PLX_PLUGIN_PATH=");
    EXPECT_EQ((std::vector<std::string>{folderFailure + roundabout, "Uninstallation completed !"}), run.messages);
    for (UninstallStep step : {UninstallStep::settingsSweep, UninstallStep::dataFiles, UninstallStep::pluginFolder,
                               UninstallStep::installFolder})
        EXPECT_TRUE(run.skippedAs(step, SkipReason::folderProtected));
    const std::string plugins = machine.fixture.layout().pluginFolder;
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing,
                           [&](const MachineItem& item) { return under(folder)(item) || under(plugins)(item); }));

    const std::string root = profile.substr(0, 3);
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", root + "T5Probe.exe");
    machine.fixture.addFile(root + "T5Probe.T5M");
    EXPECT_EQ((std::vector<std::string>{"Unable to obtain the plugins path", folderFailure + root,
                                        "Uninstallation completed !"}),
              runUninstall(machine.fixture, "T520", keepNothing).messages);
    EXPECT_TRUE(machine.fixture.exists(machine.fixture.items().back()));
}

// Every profile on the machine is protected, not only the running account's: one
// more in the profile list, named as the system names profiles, with the profile,
// a folder in it and its start menu's programs. So are folders inside the Windows
// folder by other names: the drivers folder, System32 through the administrative
// share and the drivers folder through a drive letter for System32 (both made by
// the test command where it can; a share that cannot be opened to ask is refused
// as well). Each is named by "DisplayIcon" in turn.
TEST(UninstallProtectedFolders, ProfilesAndFoldersInsideWindowsByAnyNameAreRefused)
{
    T5_REQUIRE_SANDBOX();
    const std::string share = "\\\\localhost\\C$\\Windows\\System32\\";
    EXPECT_TRUE(ProtectedFolders().refuses((share + "drivers").c_str()));
    TestMachine machine;
    const std::string own = machine.fixture.install("T530MCH");
    const std::string profile = machine.path("Alice") + "\\";
    const std::string entry = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-5-5-5-" +
                              std::to_string(GetCurrentProcessId());
    machine.fixture.addKey(entry);
    const std::string image = "%SystemDrive%" + profile.substr(2);
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "ProfileImagePath", REG_EXPAND_SZ, image.c_str(),
                    static_cast<DWORD>(image.size() + 1));
    std::vector<std::string> folders{profile, profile + "Desktop\\",
                                     profile + "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\",
                                     machine.fixture.systemFolder() + "Drivers\\", share};
    if (const char* drive = std::getenv("T5_TEST_SYSTEM_DRIVE"))
        folders.push_back(std::string(drive) + "\\drivers\\");
    for (const std::string& folder : folders)
        if (folder.rfind(profile, 0) == 0 || exists(folder))
            machine.fixture.addFile(folder + "T5Probe.T5M");
    for (const std::string& folder : folders) {
        SCOPED_TRACE(folder);
        setValue(uninstallKey("Vantorix T530 Multichannel"), "DisplayIcon", folder + "shell32.dll,3");
        setValue("Software\\PLX", "SearchPath", machine.fixture.layout().pluginFolder);
        const RunResult run = runUninstall(machine.fixture, "T530MCH", keepNothing);
        EXPECT_EQ((std::vector<std::string>{folderFailure + folder, "Uninstallation completed !"}), run.messages);
        EXPECT_TRUE(run.skippedAs(UninstallStep::dataFiles, SkipReason::folderProtected));
    }
    EXPECT_TRUE(leftAsExpected(machine.fixture, 3, keepNothing, under(own)));
}

// The plug-in folder and the installation folder go whole, but never with another
// installed product's folder in them, nor the plug-in folder with this product's
// while its data is kept: the folder both products are in as the plug-in folder,
// then as the folder "DisplayIcon" names.
TEST(UninstallProtectedFolders, FoldersHoldingAnotherProductOrKeptDataStay)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string own = machine.fixture.install("T520");
    machine.fixture.install("T540");
    const std::string products = machine.fixture.layout().productsFolder;
    const auto staying = [&](const MachineItem& item) { return under(machine.fixture.layout().pluginFolder)(item); };
    const KeepOptions dataKept{true, true, false};
    setValue("Software\\PLX", "SearchPath", products);
    EXPECT_EQ(completedOnly(), runUninstall(machine.fixture, "T520", dataKept).messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, dataKept, staying));
    setValue("Software\\PLX", "SearchPath", products);
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", products + "\\VXT520.exe");
    EXPECT_EQ((std::vector<std::string>{folderFailure + products + "\\", "Uninstallation completed !"}),
              runUninstall(machine.fixture, "T520", keepNothing).messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing, [&](const MachineItem& item) {
        return staying(item) || item.kind == ItemKind::dataFile || item.path == own;
    }));
}

// A link on the way is followed to where the folder really is.
TEST(UninstallProtectedFolders, AFolderReachedThroughALinkIsJudgedWhereItLeads)
{
    T5_REQUIRE_SANDBOX();
    const char* links = std::getenv("T5_TEST_LINK_DIR");
    if (links == nullptr)
        GTEST_SKIP() << "needs the link made by the test command";
    TestMachine machine;
    machine.fixture.install("T520");
    const DocumentsFolder documents(std::string(links) + "\\target");
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", std::string(links) + "\\tree\\link\\VXT520.exe");
    const RunResult run = runUninstall(machine.fixture, "T520", KeepOptions{false, true, true});
    EXPECT_TRUE(run.skippedAs(UninstallStep::dataFiles, SkipReason::folderProtected));
}

TEST(UninstallServices, ALinkKeyBelowAServiceGoesItselfAndWhatItLeadsToStays)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    machine.fixture.install("T520");
    const std::string canary = "SYSTEM\\T5LinkCanary-" + std::to_string(GetCurrentProcessId());
    machine.fixture.addKey(canary);
    machine.fixture.addKey(canary + "\\Kept");
    const std::wstring target = L"\\Registry\\Machine\\" + std::wstring(canary.begin(), canary.end());
    ASSERT_TRUE(makeLinkKey("SYSTEM\\CurrentControlSet\\Services\\VXT520\\Link", target));
    EXPECT_EQ(completedOnly(), runUninstall(machine.fixture, "T520", keepAll).messages);
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepAll));
}
