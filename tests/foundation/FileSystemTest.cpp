#include "foundation/FileSystem.h"

#include "foundation/KernelHandle.h"
#include "foundation/PointerArray.h"
#include "foundation/StringList.h"
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

using testsupport::ScratchFolder;
using Names = std::set<std::string>;

DWORD attributesOf(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

bool present(const std::string& path)
{
    return attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool makeFile(const std::string& path)
{
    return KernelHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr)).isOpen();
}

Names namesIn(const StringList& list)
{
    Names names;
    for (int i = 0; i < list.count(); ++i)
        names.insert(list.item(i).cStr());
    return names;
}

// Entries as the platform's own search counts them, leading full stops excepted.
int countEntries(const std::string& folder)
{
    WIN32_FIND_DATAA record;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &record);
    int count = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do
            count += record.cFileName[0] != '.';
        while (FindNextFileA(search, &record));
        FindClose(search);
    }
    return count;
}

TEST(FileSystemExistence, FilesFoldersAndSizes)
{
    ScratchFolder scratch;
    const std::string file = scratch.join("file.txt");
    const std::string big = scratch.join("big.bin");
    scratch.writeFile("file.txt", "12345");
    WIN32_FIND_DATAA record = {};
    EXPECT_TRUE(fileExists(file.c_str(), &record));
    EXPECT_EQ(record.dwFileAttributes, attributesOf(file));
    EXPECT_EQ(folderExists(file.c_str()), 0u);
    EXPECT_FALSE(fileExists(scratch.path().c_str()));
    EXPECT_EQ(folderExists(scratch.path().c_str()), attributesOf(scratch.path()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(fileExists(scratch.join("missing").c_str()) || folderExists(scratch.join("missing").c_str()));
    EXPECT_EQ(fileSize(scratch.join("missing").c_str()), 0u);
    // A sparse file of exactly 4 GiB: the size needs both halves of the record.
    KernelHandle handle(CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    size.QuadPart = 4294967296LL;
    SetFilePointerEx(handle.get(), size, nullptr, FILE_BEGIN);
    SetEndOfFile(handle.get());
    GetFileSizeEx(handle.get(), &size);
    handle.reset();
    EXPECT_EQ(fileSize(big.c_str()), static_cast<uint64_t>(size.QuadPart));
}

TEST(FileSystemCreateFolderPath, WithAndWithoutDriveLetter)
{
    ScratchFolder scratch;
    for (int call = 0; call < 2; ++call) {
        EXPECT_TRUE(createFolderPath(scratch.join("a\\b c\\d\xE9").c_str()));
        EXPECT_TRUE(attributesOf(scratch.join("a\\b c\\d\xE9")) & FILE_ATTRIBUTE_DIRECTORY);
    }
    EXPECT_TRUE(createFolderPath(scratch.join("t\\u\\").c_str()));
    EXPECT_TRUE(attributesOf(scratch.join("t\\u")) & FILE_ATTRIBUTE_DIRECTORY);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.path().c_str()));
    char now[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, now);
    EXPECT_EQ(currentFolder(), now);
    bool first = createFolderPath("x\\y");
    bool second = createFolderPath("x\\y");
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(first && second);
    EXPECT_TRUE(attributesOf(scratch.join("x\\y")) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(FileSystemListing, SplitsFoldersFromFilesAndSkipsLeadingFullStops)
{
    ScratchFolder scratch;
    for (const char* name : {"plain.txt", "with space.dat", "caf\xE9.txt", ".config", "sub\\x", ".hidden\\x"})
        scratch.writeFile(name);
    for (const std::string& path : {scratch.path(), scratch.path() + "\\"}) {
        StringList folders, files;
        EXPECT_TRUE(listFolder(path.c_str(), folders, files));
        EXPECT_EQ(namesIn(folders), Names({"sub"}));
        EXPECT_EQ(namesIn(files), Names({"plain.txt", "with space.dat", "caf\xE9.txt"}));
    }
    PointerArray entries(1024, 262144);
    EXPECT_TRUE(listFolderEntries(scratch.path().c_str(), entries));
    EXPECT_EQ(entries.count(), countEntries(scratch.path()));
    for (int i = 0; i < entries.count(); ++i) {
        auto* record = static_cast<WIN32_FIND_DATAA*>(entries.at(i));
        EXPECT_EQ(record->dwFileAttributes, attributesOf(scratch.join(record->cFileName)));
        delete record;
    }
    StringList folders, files;
    EXPECT_FALSE(listFolder(scratch.join("missing").c_str(), folders, files));
}

// The test command makes the folder from outside: made here it takes minutes under Wine.
TEST(FileSystemListing, TwentyThousandFilesAreListedAndDeleted)
{
    ScratchFolder scratch;
    const char* prepared = std::getenv("T5_TEST_MANY_FILES_DIR");
    std::string folder = prepared && countEntries(prepared) == 20000 ? prepared : scratch.path();
    for (int i = countEntries(folder); i < 20000; ++i)
        ASSERT_TRUE(makeFile(folder + "\\f" + std::to_string(i)));
    StringList folders, files;
    EXPECT_TRUE(listFolder(folder.c_str(), folders, files));
    EXPECT_EQ(files.count(), countEntries(folder));
    EXPECT_EQ(files.count(), 20000);
    EXPECT_TRUE(deleteFolderTree(folder.c_str()));
    EXPECT_FALSE(present(folder));
}

TEST(FileSystemDeleteFolderTree, RemovesADeepTreeWithAwkwardNamesAndLeavesWhatRefusesToGo)
{
    ScratchFolder scratch;
    std::string deep = "deep";
    for (int level = 0; level < 30; ++level) {
        deep += "\\l" + std::to_string(level);
        ASSERT_TRUE(scratch.writeFile(deep + "\\n\xE9 " + std::to_string(level)));
    }
    EXPECT_TRUE(deleteFolderTree(scratch.join("deep").c_str()));
    EXPECT_FALSE(present(scratch.join("deep")));
    EXPECT_TRUE(deleteFolderTree(scratch.join("deep").c_str()));

    // Files that refuse to go stay with their folders.
    for (const char* name : {"ro\\readonly.txt", "lock\\locked.txt", "dot\\.config", "lock\\other.txt", "gone\\a.txt"})
        scratch.writeFile(std::string("tree\\") + name);
    const std::string readOnly = scratch.join("tree\\ro\\readonly.txt");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileA(scratch.join("tree\\lock\\locked.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    bool result = deleteFolderTree((scratch.join("tree") + "\\").c_str());
    CloseHandle(held);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(result);
    EXPECT_TRUE(present(scratch.join("tree")));
    EXPECT_EQ(countEntries(scratch.join("tree\\ro")), 1);
    EXPECT_EQ(countEntries(scratch.join("tree\\lock")), 1);
    EXPECT_TRUE(present(scratch.join("tree\\dot\\.config")));
    EXPECT_FALSE(present(scratch.join("tree\\gone")));
}

TEST(FileSystemDeleteFolderTree, RefusesDriveRoots)
{
    for (const char* path : {"", "\\", "\\\\\\", "C:", "C:\\", "c:\\windows\\..", "\\\\server\\share\\",
                             "\\\\server\\share", "\\\\?\\C:\\"})
        EXPECT_TRUE(namesDriveRoot(path)) << path;
    for (const char* path : {"C:\\windows", "\\\\server\\share\\dir", "relative"})
        EXPECT_FALSE(namesDriveRoot(path)) << path;
    // A drive that does not exist is a root that is safe to name in a delete.
    char drive = 'Z';
    while (drive > 'D' && (GetLogicalDrives() & (1u << (drive - 'A'))))
        --drive;
    const std::string root = std::string(1, drive) + ":";
    EXPECT_FALSE(deleteFolderTree(root.c_str()));
    EXPECT_FALSE(deleteFolderTree((root + "\\").c_str()));
    EXPECT_TRUE(deleteFolderTree((root + "\\missing").c_str()));
}

// The walk goes into a folder only as the folder it listed: one swapped for
// another between the listing and the descent (here for a real folder, which no
// attribute tells apart) is not entered, and what either holds stays.
TEST(FileSystemDeleteFolderTree, AFolderSwappedAfterItsListingIsNotEntered)
{
    ScratchFolder scratch;
    ASSERT_TRUE(scratch.writeFile("tree\\sub\\mine.txt") && scratch.writeFile("other\\keep.txt"));
    struct Swapping : FolderTreeRemover {
        bool remove(const String& path, Entry entry) override
        {
            return (entry == Entry::file ? DeleteFileA(path.cStr()) : RemoveDirectoryA(path.cStr())) != FALSE;
        }
        void entering(const String& folder) override
        {
            if (folder == sub.c_str() && MoveFileA(sub.c_str(), away.c_str()))
                MoveFileA(other.c_str(), sub.c_str());
        }
        std::string sub, away, other;
    } swapping;
    swapping.sub = scratch.join("tree\\sub");
    swapping.away = scratch.join("away");
    swapping.other = scratch.join("other");
    EXPECT_FALSE(deleteFolderTree(scratch.join("tree").c_str(), swapping));
    EXPECT_TRUE(present(scratch.join("tree\\sub\\keep.txt")));
    EXPECT_TRUE(present(scratch.join("away\\mine.txt")));
}

// The link is made by the test command: a Windows program cannot make one under Wine.
TEST(FileSystemDeleteFolderTree, NeverEntersALink)
{
    const std::string root = std::getenv("T5_TEST_LINK_DIR") ? std::getenv("T5_TEST_LINK_DIR") : "";
    const std::string link = root + "\\tree\\link";
    if (root.empty() || !present(link) || !(attributesOf(link) & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "no prepared link (T5_TEST_LINK_DIR)";
    ASSERT_TRUE(makeFile(root + "\\tree\\own.txt"));
    EXPECT_EQ(deleteFolderTree(link.c_str()), !present(link));
    EXPECT_EQ(deleteFolderTree((root + "\\tree").c_str()), !present(root + "\\tree"));
    EXPECT_FALSE(present(root + "\\tree\\own.txt"));
    EXPECT_EQ(countEntries(root + "\\target"), 2);
}

} // namespace
