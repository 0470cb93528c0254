#include "console/BackupFolder.h"

#include "console/RegistryTreeText.h"
#include "console/SystemErrors.h"
#include "foundation/FileIdentity.h"
#include "foundation/FileSystem.h"
#include "foundation/PathText.h"

#include <vector>

namespace {


DWORD writeAll(HANDLE file, const String& text)
{
    DWORD written = 0;
    if (!WriteFile(file, text.cStr(), static_cast<DWORD>(text.length()), &written, nullptr))
        return GetLastError();
    return written == static_cast<DWORD>(text.length()) ? 0 : ERROR_DISK_FULL;
}

// Writes text as a new file and reads it back.
DWORD writeChecked(const String& path, const String& text)
{
    KernelHandle file(
        CreateFileA(path.cStr(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return GetLastError();
    DWORD error = writeAll(file.get(), text);
    std::vector<char> back(static_cast<size_t>(text.length()) + 1);
    DWORD got = 0;
    if (error == 0 && (SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) != 0 ||
                       !ReadFile(file.get(), back.data(), static_cast<DWORD>(back.size()), &got, nullptr) ||
                       String(back.data(), static_cast<int>(got)) != text))
        error = ERROR_CRC;
    if (error != 0) {
        file.reset();
        DeleteFileA(path.cStr());
    }
    return error;
}

String parentOf(const String& path)
{
    String trimmed = withoutTrailingBackslashes(path);
    int separator = lastBackslash(trimmed);
    return separator > 0 ? trimmed.mid(0, separator) : String("");
}

} // namespace

bool BackupFolder::create(const String& path, const std::vector<String>& deletedFolders, const Manifest& header,
                          String& why, bool checkOnly)
{
    why = "";
    String full = withSingleBackslashes(fullPathName(path));
    if (!mayUse(full, deletedFolders, why) || checkOnly || !hold(full, why))
        return why.length() == 0;
    folder = full;
    list.reset(CreateFileA((full + "\\" + manifestFileName).cStr(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD error = list.isOpen() ? writeAll(list.get(), manifestHeader(header)) : GetLastError();
    if (error != 0) {
        why = "its list of items cannot be written: " + errorText(error);
        list.reset();
    }
    return error == 0;
}

// Asked before anything is made, of the folders that are there along the path.
bool BackupFolder::mayUse(const String& full, const std::vector<String>& deletedFolders, String& why)
{
    DWORD attributes = GetFileAttributesA(full.cStr());
    DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
    if (full.length() > 0)
        within.addWithParents(full);
    if (full.length() == 0)
        why = "its path cannot be resolved";
    else if (namesDriveRoot(full))
        why = "it is the root of a drive";
    else if (passesThroughLink(full))
        why = "it is a link or lies in a folder that is one";
    else if (attributes == INVALID_FILE_ATTRIBUTES && !meansNothingThere(error))
        why = "it cannot be asked what it is: " + errorText(error);
    else if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        why = "it is a file";
    for (const String& deleted : deletedFolders)
        if (why.length() == 0 && liesWithin(deleted))
            why = "it lies inside " + deleted + ", which the removal deletes";
    bool empty = true;
    if (why.length() == 0 && attributes != INVALID_FILE_ATTRIBUTES &&
        HeldFolder(full).list([&](const HeldFolder::Entry&) { empty = false; }) && !empty)
        why = "it is not empty";
    return why.length() == 0;
}

bool BackupFolder::hold(const String& full, String& why)
{
    if (GetFileAttributesA(full.cStr()) == INVALID_FILE_ATTRIBUTES && !createFolderPath(full))
        why = "it cannot be made: " + errorText(GetLastError());
    if (why.length() > 0)
        return false;
    held.reset(new HeldFolder(full));
    bool empty = true;
    if (held->kind() == HeldFolder::Kind::link || passesThroughLink(full))
        why = "it is a link or lies in a folder that is one";
    else if (held->kind() != HeldFolder::Kind::folder || !held->list([&](const HeldFolder::Entry&) { empty = false; }))
        why = "it cannot be opened and listed";
    else if (!empty)
        why = "it is not empty";
    if (why.length() > 0)
        held.reset();
    return why.length() == 0;
}

bool BackupFolder::liesWithin(const String& candidate) const
{
    FileLookUp found = lookUp(candidate);
    return found.found && within.contains(found.identity);
}

DWORD BackupFolder::saveFile(const String& path)
{
    noteFolderOf(path);
    ManifestItem item;
    item.kind = ManifestItem::Kind::file;
    item.number = saved + 1;
    item.path = path;
    DWORD error = copyChecked(path, folder + "\\" + savedName(item), item.record);
    return error != 0 ? error : add(item);
}

DWORD BackupFolder::saveFolder(const String& path)
{
    noteFolderOf(path);
    ManifestItem item;
    item.kind = ManifestItem::Kind::folder;
    item.number = saved + 1;
    item.path = withoutTrailingBackslashes(path);
    auto noted = folderRecords.find(caseFoldedPath(withSingleBackslashes(item.path)));
    DWORD error = 0;
    if (noted != folderRecords.end())
        item.record = noted->second;
    else
        error = recordOf(item.path, item.record);
    return error != 0 ? error : add(item);
}

DWORD BackupFolder::saveKeyTree(const String& keyPath)
{
    ManifestItem item;
    item.kind = ManifestItem::Kind::key;
    item.number = saved + 1;
    item.path = keyPath;
    String text;
    LONG status = ::saveKeyTree(keyPath, text);
    if (status != ERROR_SUCCESS)
        return static_cast<DWORD>(status);
    DWORD error = writeChecked(folder + "\\" + savedName(item), text);
    return error != 0 ? error : add(item);
}

DWORD BackupFolder::add(ManifestItem& item)
{
    if (!list.isOpen())
        return ERROR_INVALID_HANDLE;
    DWORD error = writeAll(list.get(), manifestLine(item));
    if (error == 0)
        ++saved;
    return error;
}

void BackupFolder::noteFolderOf(const String& path)
{
    String parent = parentOf(path);
    std::string key = caseFoldedPath(withSingleBackslashes(parent));
    FileRecord record;
    if (parent.length() > 0 && folderRecords.count(key) == 0 && recordOf(parent, record) == 0)
        folderRecords[key] = record;
}

DWORD BackupFolder::recordOf(const String& path, FileRecord& record) const
{
    KernelHandle entry(CreateFileA(path.cStr(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!entry.isOpen() || !GetFileInformationByHandle(entry.get(), &information))
        return GetLastError();
    // A link is removed itself; what it leads to cannot be put back from here.
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return ERROR_CANT_ACCESS_FILE;
    record.attributes = information.dwFileAttributes;
    record.created = information.ftCreationTime;
    record.accessed = information.ftLastAccessTime;
    record.written = information.ftLastWriteTime;
    return 0;
}
