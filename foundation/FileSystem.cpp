#include "foundation/FileSystem.h"

#include "foundation/FileIdentity.h"
#include "foundation/FindHandle.h"
#include "foundation/HeldFolder.h"
#include "foundation/PathText.h"
#include "foundation/PointerArray.h"
#include "foundation/StringList.h"

#include <vector>

namespace {

const int listInitialRoom = 1024;
const int listMaximumRoom = 262144;

// The record of the first entry matching path, or false when nothing matches.
bool findFirst(const String& path, WIN32_FIND_DATAA& record)
{
    FindHandle search(path.cStr(), record);
    return search.isOpen();
}

// Calls visit for each entry of the folder except names beginning with a full stop.
template <typename Visit>
bool forEachEntry(const String& path, Visit visit)
{
    String pattern = endsWithBackslash(path) ? path + "*" : path + "\\*";
    WIN32_FIND_DATAA record;
    FindHandle search(pattern.cStr(), record);
    if (!search.isOpen())
        return false;
    do {
        if (record.cFileName[0] != '.')
            visit(record);
    } while (search.next(record));
    return true;
}

bool isFolder(const WIN32_FIND_DATAA& record)
{
    return (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isLink(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// A drive ("C:"), a share ("\\server\share") or nothing at all, once trailing
// backslashes are gone.
bool isRootForm(const String& trimmed)
{
    if (trimmed.length() == 0 || (trimmed.length() == 2 && trimmed.at(1) == ':'))
        return true;
    if (trimmed.at(0) != '\\' || trimmed.at(1) != '\\')
        return false;
    // Components are counted at the character after each backslash character.
    int components = 0;
    for (int separator = findBackslash(trimmed, 2); separator >= 0; separator = findBackslash(trimmed, separator + 1))
        if (trimmed.at(separator + 1) != '\\' && trimmed.at(separator + 1) != '\0')
            ++components;
    if (trimmed.at(2) != '\\')
        ++components;
    return components <= 2;
}

void removeEach(const String& path, StringList& names, FolderTreeRemover& remover, FolderTreeRemover::Entry entry)
{
    for (int i = 0; i < names.count(); ++i)
        remover.remove(path + "\\" + names.item(i), entry);
}

// Empties and removes one folder, held open while it is, depth-first. A sub-folder
// is entered only through a handle that shows it is still the folder listed, and
// not a link; what is not is offered as a link, to be removed itself. Names that
// begin with a full stop, have no exact ANSI form, or would lead out of the folder
// are left, and anything that refuses to go stays where it is.
bool deleteBelow(const String& path, HeldFolder& folder, FolderTreeRemover& remover)
{
    StringList folders(listInitialRoom, listMaximumRoom);
    StringList files(listInitialRoom, listMaximumRoom);
    StringList links(listInitialRoom, listMaximumRoom);
    std::vector<ULONGLONG> indexes;
    folder.list([&](const HeldFolder::Entry& entry) {
        if (entry.name.at(0) == '.' || !entry.exact || !isPlainName(entry.name))
            return;
        bool isSubFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        StringList& target = !isSubFolder ? files : isLink(entry.attributes) ? links : folders;
        target.add(entry.name, -1);
        if (&target == &folders)
            indexes.push_back(entry.index);
    });
    removeEach(path, files, remover, FolderTreeRemover::Entry::file);
    for (int i = 0; i < folders.count(); ++i) {
        String subPath = path + "\\" + folders.item(i);
        remover.entering(subPath);
        HeldFolder sub(subPath, indexes[static_cast<size_t>(i)]);
        if (sub.kind() == HeldFolder::Kind::folder)
            deleteBelow(subPath, sub, remover);
        else
            links.add(folders.item(i), -1);
    }
    removeEach(path, links, remover, FolderTreeRemover::Entry::link);
    folder.release();
    return remover.remove(path, FolderTreeRemover::Entry::folder);
}

class SystemRemover : public FolderTreeRemover {
public:
    bool remove(const String& path, Entry entry) override
    {
        return (entry == Entry::file ? DeleteFileA(path.cStr()) : RemoveDirectoryA(path.cStr())) != FALSE;
    }
};

} // namespace

bool fileExists(String path, WIN32_FIND_DATAA* record)
{
    WIN32_FIND_DATAA found;
    if (!findFirst(path, found))
        return false;
    if (record)
        *record = found;
    return !isFolder(found);
}

DWORD folderExists(String path, WIN32_FIND_DATAA* record)
{
    WIN32_FIND_DATAA found;
    if (!findFirst(path, found))
        return 0;
    if (record)
        *record = found;
    return found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

uint64_t fileSize(String path)
{
    WIN32_FIND_DATAA found;
    if (!findFirst(path, found))
        return 0;
    return (uint64_t(found.nFileSizeHigh) << 32) + found.nFileSizeLow;
}

// Every CreateDirectoryA may fail because the folder is already there; only the
// final existence test decides.
bool createFolderPath(String path)
{
    int position = path.find(":\\", 0) + 1;
    for (;;) {
        int separator = findBackslash(path, position + 1);
        if (separator < 0)
            break;
        CreateDirectoryA(path.mid(0, separator).cStr(), nullptr);
        position = separator;
    }
    CreateDirectoryA(path.cStr(), nullptr);
    // A search for "C:\a\b\" finds nothing even when the folder is there.
    return folderExists(withoutTrailingBackslashes(path)) != 0;
}

bool listFolder(String path, StringList& folders, StringList& files)
{
    return forEachEntry(path, [&](const WIN32_FIND_DATAA& record) {
        (isFolder(record) ? folders : files).add(String(record.cFileName), -1);
    });
}

bool listFolderEntries(String path, PointerArray& entries)
{
    return forEachEntry(path, [&](const WIN32_FIND_DATAA& record) {
        WIN32_FIND_DATAA* copy = new WIN32_FIND_DATAA(record);
        int before = entries.count();
        entries.insert(copy, before);
        // A full array drops the insert; the copy must not be lost with it.
        if (entries.count() == before)
            delete copy;
    });
}

bool deleteFolderTree(String path)
{
    if (namesDriveRoot(path))
        return false;
    SystemRemover remover;
    deleteFolderTree(path, remover);
    return folderExists(withoutTrailingBackslashes(path)) == 0;
}

bool deleteFolderTree(String path, FolderTreeRemover& remover)
{
    if (namesDriveRoot(path))
        return false;
    String folder = withoutTrailingBackslashes(path);
    // Asked of the name too: Wine reports a link there, not on its handle.
    DWORD attributes = GetFileAttributesA(folder.cStr());
    HeldFolder held(folder);
    if (held.kind() == HeldFolder::Kind::folder && !(attributes != INVALID_FILE_ATTRIBUTES && isLink(attributes)))
        return deleteBelow(folder, held, remover);
    bool link = held.kind() == HeldFolder::Kind::link || (attributes != INVALID_FILE_ATTRIBUTES && isLink(attributes));
    held.release();
    return remover.remove(folder, link ? FolderTreeRemover::Entry::link : FolderTreeRemover::Entry::folder);
}

bool namesDriveRoot(String path)
{
    if (isRootForm(withoutTrailingBackslashes(path)))
        return true;
    String full = fullPathName(path);
    return full.length() == 0 || isRootForm(withoutTrailingBackslashes(full));
}

String fullPathName(String path)
{
    DWORD needed = GetFullPathNameA(path.cStr(), 0, nullptr, nullptr);
    if (needed == 0)
        return String("");
    String full(static_cast<int>(needed));
    DWORD written = GetFullPathNameA(path.cStr(), static_cast<DWORD>(full.capacity()), full.cStr(), nullptr);
    if (written == 0 || written >= static_cast<DWORD>(full.capacity()))
        return String("");
    full.syncLength();
    return full;
}

String currentFolder()
{
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    // Bounded: another thread may change the folder between the two calls.
    for (int attempt = 0; attempt < 4 && needed != 0; ++attempt) {
        String folder(static_cast<int>(needed));
        DWORD written = GetCurrentDirectoryA(static_cast<DWORD>(folder.capacity()), folder.cStr());
        if (written < static_cast<DWORD>(folder.capacity())) {
            folder.syncLength();
            return folder;
        }
        needed = written;
    }
    return String("");
}

String finalPathName(String path)
{
    return lookUp(path).finalPath;
}
