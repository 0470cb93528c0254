#include "console/RemovalActions.h"

#include "app/UninstallReporter.h"
#include "foundation/FileIdentity.h"
#include "foundation/KernelHandle.h"
#include "foundation/PathText.h"
#include "foundation/RegistryKey.h"

namespace {

// Refused for its read-only attribute: the deletion at the next start would be
// refused just the same, so it is no item to schedule.
bool isReadOnly(const String& path, DWORD error)
{
    DWORD attributes = GetFileAttributesA(path.cStr());
    return error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

class RemovalActions::Remover : public FolderTreeRemover {
public:
    explicit Remover(RemovalActions& owner) : owner(owner) {}

    bool remove(const String& path, Entry entry) override
    {
        // Taken or scheduled by an earlier step: once is enough.
        if (owner.settled.contains(path))
            return true;
        if (entry == Entry::file)
            return owner.deleteFile(path);
        return owner.removeFolderEntry(path, entry, true);
    }

private:
    RemovalActions& owner;
};

RemovalActions::RemovalActions(UninstallReporter& reporter, bool scheduleLocked)
    : UninstallActions(reporter), scheduleLocked(scheduleLocked)
{
}

// The run's paths are taken as the registry spelled them; an item is told, and
// compared with the others, with single backslashes, so that one file reached by
// two spellings is one item.
bool RemovalActions::deleteFile(const String& given)
{
    const String path = withSingleBackslashes(given);
    DWORD error = removeFile(path);
    if (error == 0) {
        gone(path, path);
        return true;
    }
    if (meansNothingThere(error)) {
        tell(ItemOutcome::notPresent, path, 0);
        return true;
    }
    return settle(path, path, error);
}

bool RemovalActions::deleteFolderTree(const String& path)
{
    Remover remover(*this);
    return ::deleteFolderTree(withSingleBackslashes(path), remover);
}

void RemovalActions::removeEmptyFolder(const String& path)
{
    removeFolderEntry(withSingleBackslashes(path), FolderTreeRemover::Entry::folder, false);
}

void RemovalActions::deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name)
{
    String item = "HKLM\\" + keyPath + "\\" + name;
    LONG status = removeKeyTree(key, name, item);
    if (status == ERROR_SUCCESS)
        tell(ItemOutcome::deleted, item, 0);
    else if (meansNothingThere(static_cast<DWORD>(status)))
        tell(ItemOutcome::notPresent, item, 0);
    else
        tell(ItemOutcome::failed, item, static_cast<DWORD>(status));
}

// A folder that still holds anything but what the run scheduled is left, whatever
// RemoveDirectoryA answered (not empty, in use as some process's current folder,
// read-only): scheduled, it would outlive the restart with those items in it. It
// is a failure when the run meant to empty it, and no fault for the brand folder,
// which stays while other groups are in it. A link is removed itself or reported,
// never scheduled: what it leads to is not the run's.
bool RemovalActions::removeFolderEntry(const String& path, FolderTreeRemover::Entry entry, bool meantToGo)
{
    String item = path + "\\";
    DWORD error = removeFolder(path);
    if (error == 0) {
        gone(path, item);
        return true;
    }
    if (meansNothingThere(error)) {
        tell(ItemOutcome::notPresent, item, 0);
        return true;
    }
    if (entry == FolderTreeRemover::Entry::link) {
        tell(ItemOutcome::failed, item, error);
        return false;
    }
    if (!settled.holdsOnlyMembers(path)) {
        tell(meantToGo ? ItemOutcome::failed : ItemOutcome::notEmpty, item,
             meantToGo ? ERROR_DIR_NOT_EMPTY : 0);
        return false;
    }
    return settle(path, item, error);
}

bool RemovalActions::settle(const String& path, const String& item, DWORD error)
{
    if (scheduleLocked && !isReadOnly(path, error) && schedule(path, error)) {
        settled.add(path);
        tell(ItemOutcome::scheduled, item, 0);
        return true;
    }
    tell(ItemOutcome::failed, item, error);
    return false;
}

void RemovalActions::gone(const String& path, const String& item)
{
    settled.add(path);
    tell(ItemOutcome::deleted, item, 0);
}

String scheduledName(const String& path)
{
    KernelHandle entry(CreateFileA(path.cStr(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    String trimmed = withoutTrailingBackslashes(path);
    int separator = lastBackslash(trimmed);
    if (!entry.isOpen() || separator <= 0)
        return String("");
    String folder = trimmed.mid(0, separator);
    String finalFolder = finalPathName(folder.length() == 2 ? folder + "\\" : folder);
    if (finalFolder.length() == 0)
        return String("");
    return withoutTrailingBackslashes(finalFolder) + trimmed.mid(separator, trimmed.length() - separator);
}
