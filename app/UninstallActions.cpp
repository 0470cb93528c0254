#include "app/UninstallActions.h"

#include "app/UninstallReporter.h"
#include "foundation/FileIdentity.h"
#include "foundation/FileSystem.h"
#include "foundation/RegistryKey.h"

#include <windows.h>

// The system's own answer is taken where it gives one: success, or "not found".
// Only another failure (locked, read-only, a folder of that name, a path the ANSI
// calls cannot take) needs a second look, which under Wine would read the whole
// folder for every name.
FileDeletion deleteFileTelling(const String& path, DWORD& error)
{
    if (DeleteFileA(path.cStr()))
        return FileDeletion::deleted;
    error = GetLastError();
    return failedDeletion(path, error);
}

FileDeletion failedDeletion(const String& path, DWORD error)
{
    if (meansNothingThere(error))
        return FileDeletion::notPresent;
    DWORD attributes = GetFileAttributesA(path.cStr());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileDeletion::notPresent : FileDeletion::failed;
    return meansNothingThere(GetLastError()) ? FileDeletion::notPresent : FileDeletion::failed;
}

bool UninstallActions::deleteFile(const String& path)
{
    DWORD error = 0;
    switch (deleteFileTelling(path, error)) {
    case FileDeletion::deleted: tell(ItemOutcome::deleted, path, 0); return true;
    case FileDeletion::notPresent: tell(ItemOutcome::notPresent, path, 0); return true;
    default: tell(ItemOutcome::failed, path, error); return false;
    }
}

bool UninstallActions::deleteFolderTree(const String& path)
{
    bool gone = ::deleteFolderTree(path);
    tell(gone ? ItemOutcome::deleted : ItemOutcome::failed, path + "\\", gone ? 0 : ERROR_DIR_NOT_EMPTY);
    return gone;
}

void UninstallActions::removeEmptyFolder(const String& path)
{
    if (RemoveDirectoryA(path.cStr()))
        tell(ItemOutcome::deleted, path + "\\", 0);
}

void UninstallActions::deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name)
{
    LONG status = key.deleteTree(name);
    DWORD error = static_cast<DWORD>(status);
    ItemOutcome outcome = status == ERROR_SUCCESS        ? ItemOutcome::deleted
                          : meansNothingThere(error)     ? ItemOutcome::notPresent
                                                         : ItemOutcome::failed;
    tell(outcome, "HKLM\\" + keyPath + "\\" + name, outcome == ItemOutcome::failed ? error : 0);
}

void UninstallActions::tell(ItemOutcome outcome, const String& item, DWORD error)
{
    if (reporter)
        reporter->itemDone(outcome, item, error);
}
