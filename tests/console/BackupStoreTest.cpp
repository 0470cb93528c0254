// The backup store: a copy is trusted only when it reads back as saved, a folder
// that is a link or lies in one is never written, a restore leaves what changed
// alone unless forced and changes nothing the second time, and ProfileList
// values are read as anyone could have written them.
#include "console/BackupFolder.h"
#include "console/BackupRestore.h"
#include "console/UserProfiles.h"
#include "foundation/RegistryKey.h"
#include "tests/support/Sandbox.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace {

using testsupport::ScratchFolder;

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

FILETIME writeTimeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Each item's outcome as the restore told it; none when the backup cannot be read.
std::map<std::string, RestoreOutcome> restore(const std::string& folder, bool force)
{
    Manifest manifest;
    String why;
    std::map<std::string, RestoreOutcome> told;
    EXPECT_TRUE(readBackup(folder.c_str(), manifest, why)) << why.cStr();
    if (why.length() == 0)
        restoreBackup(folder.c_str(), manifest, force,
                      [&](RestoreOutcome outcome, const String& item, DWORD) { told[item.cStr()] = outcome; });
    return told;
}

TEST(BackupStore, FilesComeBackAsSavedAndAChangedOneOnlyWhenForced)
{
    ScratchFolder scratch;
    const std::string product = scratch.join("Product"), file = product + "\\VXT520.exe";
    ASSERT_TRUE(scratch.writeFile("Product\\VXT520.exe", std::string("MZ\0\xff payload", 12)));
    FILETIME old{0x5A5A0000, 0x01D00000};
    HANDLE handle = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(handle, nullptr, nullptr, &old);
    CloseHandle(handle);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const DWORD attributes = GetFileAttributesA(file.c_str());

    BackupFolder backup;
    String why;
    ASSERT_TRUE(backup.create(scratch.join("Backup").c_str(), {}, Manifest(), why)) << why.cStr();
    ASSERT_EQ(backup.saveFile(file.c_str()), 0u);
    ASSERT_EQ(backup.saveFolder(product.c_str()), 0u);
    EXPECT_EQ(backup.saveFile(scratch.join("absent.dll").c_str()), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileA(file.c_str()) && RemoveDirectoryA(product.c_str()));

    auto told = restore(scratch.join("Backup"), false);
    EXPECT_EQ(told[file], RestoreOutcome::restored);
    EXPECT_EQ(told[product + "\\"], RestoreOutcome::restored);
    EXPECT_EQ(contentOf(file), std::string("MZ\0\xff payload", 12));
    EXPECT_EQ(GetFileAttributesA(file.c_str()), attributes);
    const FILETIME written = writeTimeOf(file);
    EXPECT_EQ(CompareFileTime(&old, &written), 0);
    EXPECT_EQ(restore(scratch.join("Backup"), false)[file], RestoreOutcome::unchanged);

    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(file, std::ios::binary) << "changed since";
    EXPECT_EQ(restore(scratch.join("Backup"), false)[file], RestoreOutcome::differs);
    EXPECT_EQ(contentOf(file), "changed since");
    EXPECT_EQ(restore(scratch.join("Backup"), true)[file], RestoreOutcome::restored);
    EXPECT_EQ(contentOf(file), std::string("MZ\0\xff payload", 12));
}

TEST(BackupStore, ADamagedCopyIsNeverWritten)
{
    ScratchFolder scratch;
    ASSERT_TRUE(scratch.writeFile("VXT5.chm", "help pages"));
    BackupFolder backup;
    String why;
    ASSERT_TRUE(backup.create(scratch.join("Backup").c_str(), {}, Manifest(), why));
    ASSERT_EQ(backup.saveFile(scratch.join("VXT5.chm").c_str()), 0u);
    DeleteFileA(scratch.join("VXT5.chm").c_str());
    std::ofstream(scratch.join("Backup\\1.copy"), std::ios::binary) << "help pagez";
    EXPECT_EQ(restore(scratch.join("Backup"), true)[scratch.join("VXT5.chm")], RestoreOutcome::failed);
    EXPECT_EQ(GetFileAttributesA(scratch.join("VXT5.chm").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BackupStore, TheFolderMustBeNewOrEmptyAndNoLink)
{
    ScratchFolder scratch;
    String why;
    ASSERT_TRUE(scratch.writeFile("Used\\old.txt"));
    EXPECT_FALSE(BackupFolder().create(scratch.join("Used").c_str(), {}, Manifest(), why));
    EXPECT_FALSE(BackupFolder().create(scratch.join("Used\\old.txt").c_str(), {}, Manifest(), why));
    EXPECT_FALSE(BackupFolder().create("C:\\", {}, Manifest(), why));

    ASSERT_TRUE(scratch.makeFolder("Data"));
    const std::vector<String> deleted{(scratch.join("Data") + "\\.\\").c_str()};
    EXPECT_FALSE(BackupFolder().create(scratch.join("Data\\Backup").c_str(), deleted, Manifest(), why));
    EXPECT_EQ(GetFileAttributesA(scratch.join("Data\\Backup").c_str()), INVALID_FILE_ATTRIBUTES);
    BackupFolder beside;
    EXPECT_TRUE(beside.create(scratch.join("Backup").c_str(), deleted, Manifest(), why)) << why.cStr();

    const char* root = std::getenv("T5_TEST_LINK_DIR");
    const std::string link = std::string(root ? root : "") + "\\tree\\link";
    if (!root || (GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        GTEST_SKIP() << "no prepared link (T5_TEST_LINK_DIR)";
    EXPECT_FALSE(BackupFolder().create((link + "\\Backup").c_str(), {}, Manifest(), why));
    EXPECT_EQ(GetFileAttributesA((link + "\\Backup").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BackupStore, AKeyTreeComesBackWithEveryValue)
{
    T5_REQUIRE_SANDBOX();
    const std::string path = "Software\\T5BackupTest" + std::to_string(GetCurrentProcessId());
    {
        RegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.open((path + "\\Parameters").c_str(), true));
        key.writeRaw("odd \"%\" name", "\x01\x00\xfe", 3, REG_BINARY);
        key.writeRaw("", "a\0b\0\0", 5, REG_MULTI_SZ);
        key.writeDword("Start", 3);
    }
    ScratchFolder scratch;
    BackupFolder backup;
    String why;
    ASSERT_TRUE(backup.create(scratch.join("Backup").c_str(), {}, Manifest(), why));
    ASSERT_EQ(backup.saveKeyTree(path.c_str()), 0u);
    RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(path.c_str());

    EXPECT_EQ(restore(scratch.join("Backup"), false)["HKLM\\" + path], RestoreOutcome::restored);
    RegistryKey key(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.open((path + "\\Parameters").c_str(), false));
    char bytes[8] = {};
    DWORD type = 0;
    EXPECT_EQ(key.readRaw("odd \"%\" name", bytes, sizeof bytes, &type), 3u);
    EXPECT_EQ(std::string(bytes, 3), std::string("\x01\x00\xfe", 3));
    EXPECT_EQ(key.readRaw("", bytes, sizeof bytes, &type), 5u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(restore(scratch.join("Backup"), false)["HKLM\\" + path], RestoreOutcome::unchanged);
    key.writeDword("Start", 4);
    EXPECT_EQ(restore(scratch.join("Backup"), false).count("HKLM\\" + path + "\\Parameters value \"Start\""), 1u);
    EXPECT_EQ(key.readDword("Start", 0), 4u);
    restore(scratch.join("Backup"), true);
    EXPECT_EQ(key.readDword("Start", 0), 3u);
    RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(path.c_str());
}

TEST(UserProfiles, OnlyTrustworthyProfileFoldersAreListed)
{
    T5_REQUIRE_SANDBOX();
    ScratchFolder scratch;
    ASSERT_TRUE(scratch.makeFolder("Users\\second"));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const char* link = std::getenv("T5_TEST_LINK_DIR");
    const std::string good = scratch.join("Users\\second");
    struct Entry {
        const char* account;
        DWORD type;
        std::string value;
    };
    const Entry entries[] = {{"S-1-5-21-9-1", REG_EXPAND_SZ, good},
                             {"S-1-5-21-9-2", REG_SZ, scratch.join("Users\\.\\second\\")}, // the same again
                             {"S-1-5-21-9-3", REG_DWORD, good},
                             {"S-1-5-21-9-4", REG_SZ, "Users\\second"},
                             {"S-1-5-21-9-5", REG_SZ, "C:\\"},
                             {"S-1-5-21-9-6", REG_SZ, windows},
                             {"S-1-5-21-9-7", REG_SZ, std::string(link ? link : "C:\\none") + "\\tree\\link"},
                             {"S-1-5-21-9-8", REG_SZ, std::string(windows) + "\\System32"}};
    const std::string list = std::string(profileListKey()) + "\\";
    for (const Entry& entry : entries) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (list + entry.account).c_str(), 0, nullptr, 0,
                        KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key, nullptr);
        RegSetValueExA(key, "ProfileImagePath", 0, entry.type, reinterpret_cast<const BYTE*>(entry.value.c_str()),
                       static_cast<DWORD>(entry.value.size() + 1));
        RegCloseKey(key);
    }
    std::vector<std::string> accounts;
    for (const UserProfile& profile : listedProfiles())
        if (std::string(profile.account.cStr()).find("S-1-5-21-9-") == 0) {
            accounts.push_back(profile.account.cStr());
            EXPECT_EQ(std::string(profile.programsFolder.cStr()),
                      good + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
            EXPECT_EQ(std::string(profile.desktopFolder.cStr()), good + "\\Desktop");
        }
    for (const Entry& entry : entries)
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, (list + entry.account).c_str(), KEY_WOW64_64KEY, 0);
    EXPECT_EQ(accounts, std::vector<std::string>{"S-1-5-21-9-1"});
}

} // namespace
