#include "console/DeletingActions.h"

#include "console/ItemReporter.h"
#include "foundation/FileSystem.h"
#include "foundation/KernelHandle.h"
#include "foundation/PathText.h"
#include "foundation/RegistryKey.h"

namespace {

bool notFound(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Refused for its read-only attribute: the deletion at the next start would be
// refused just the same, so it is no item to schedule.
bool isReadOnly(const String& path, DWORD error)
{
    DWORD attributes = GetFileAttributesA(path.cStr());
    return error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The name to schedule path under: the folder it lies in as the system really
// names it (a 32-bit process sees System32 redirected, and the system carries the
// entry out natively), and the entry's own name. The entry itself is never
// resolved: a link would be named by what it leads to. Empty when the entry is
// not there (asked of it, not of its target) or its folder cannot be named.
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

} // namespace

class DeletingActions::Remover : public FolderTreeRemover {
public:
    explicit Remover(DeletingActions& owner) : owner(owner) {}

    bool remove(const String& path, Entry entry) override
    {
        // Scheduled by an earlier step: once is enough.
        if (owner.scheduled.contains(path))
            return true;
        if (entry == Entry::file)
            return owner.deleteFile(path);
        return owner.removeFolder(path, entry, true);
    }

private:
    DeletingActions& owner;
};

DeletingActions::DeletingActions(ItemReporter& reporter, bool scheduleLocked)
    : reporter(reporter), scheduleLocked(scheduleLocked)
{
}

bool DeletingActions::deleteFile(const String& path)
{
    DWORD error = 0;
    switch (deleteFileTelling(path, error)) {
    case FileDeletion::deleted:
        reporter.itemDone(ItemOutcome::deleted, path, 0);
        return true;
    case FileDeletion::notPresent:
        reporter.itemDone(ItemOutcome::notPresent, path, 0);
        return true;
    default:
        return settle(path, path, error);
    }
}

bool DeletingActions::deleteFolderTree(const String& path)
{
    Remover remover(*this);
    return ::deleteFolderTree(path, remover);
}

void DeletingActions::removeEmptyFolder(const String& path)
{
    removeFolder(path, FolderTreeRemover::Entry::folder, false);
}

void DeletingActions::deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name)
{
    String item = "HKLM\\" + keyPath + "\\" + name;
    LONG status = key.deleteTree(name);
    if (status == ERROR_SUCCESS)
        reporter.itemDone(ItemOutcome::deleted, item, 0);
    else if (notFound(static_cast<DWORD>(status)))
        reporter.itemDone(ItemOutcome::notPresent, item, 0);
    else
        reporter.itemDone(ItemOutcome::failed, item, static_cast<DWORD>(status));
}

// A folder still holding anything is left: a failure when the run meant to empty
// it, and no fault for the brand folder, which stays while other groups are in it.
// When all it holds is scheduled, it is scheduled after them. A link is removed
// itself or reported, never scheduled: what it leads to is not the run's.
bool DeletingActions::removeFolder(const String& path, FolderTreeRemover::Entry entry, bool meantToGo)
{
    String item = path + "\\";
    if (RemoveDirectoryA(path.cStr())) {
        reporter.itemDone(ItemOutcome::deleted, item, 0);
        return true;
    }
    DWORD error = GetLastError();
    if (notFound(error)) {
        reporter.itemDone(ItemOutcome::notPresent, item, 0);
        return true;
    }
    if (entry == FolderTreeRemover::Entry::link) {
        reporter.itemDone(ItemOutcome::failed, item, error);
        return false;
    }
    if (error == ERROR_DIR_NOT_EMPTY && !scheduled.holdsOnlyMembers(path)) {
        reporter.itemDone(meantToGo ? ItemOutcome::failed : ItemOutcome::notEmpty, item, meantToGo ? error : 0);
        return false;
    }
    return settle(path, item, error);
}

bool DeletingActions::settle(const String& path, const String& item, DWORD error)
{
    if (scheduleLocked && !isReadOnly(path, error)) {
        String target = scheduledName(path);
        if (target.length() > 0 && MoveFileExA(target.cStr(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
            scheduled.add(path);
            reporter.itemDone(ItemOutcome::scheduled, item, 0);
            return true;
        }
        if (target.length() > 0)
            error = GetLastError();
    }
    reporter.itemDone(ItemOutcome::failed, item, error);
    return false;
}
