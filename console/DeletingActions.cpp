#include "console/DeletingActions.h"

#include "foundation/RegistryKey.h"

DWORD DeletingActions::removeFile(const String& path)
{
    DWORD error = 0;
    switch (deleteFileTelling(path, error)) {
    case FileDeletion::deleted: return 0;
    case FileDeletion::notPresent: return ERROR_FILE_NOT_FOUND;
    default: return error;
    }
}

DWORD DeletingActions::removeFolder(const String& path)
{
    return RemoveDirectoryA(path.cStr()) ? 0 : GetLastError();
}

LONG DeletingActions::removeKeyTree(RegistryKey& key, const String& name, const String&)
{
    return key.deleteTree(name);
}

bool DeletingActions::schedule(const String& path, DWORD& error)
{
    String name = scheduledName(path);
    if (name.length() == 0)
        return false;
    if (MoveFileExA(name.cStr(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        return true;
    error = GetLastError();
    return false;
}
