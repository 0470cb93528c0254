#include "app/UninstallActions.h"

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

bool deleteFileAndCheck(const String& path)
{
    DWORD error = 0;
    return deleteFileTelling(path, error) != FileDeletion::failed;
}

bool UninstallActions::deleteFile(const String& path)
{
    return deleteFileAndCheck(path);
}

bool UninstallActions::deleteFolderTree(const String& path)
{
    return ::deleteFolderTree(path);
}

void UninstallActions::removeEmptyFolder(const String& path)
{
    RemoveDirectoryA(path.cStr());
}

void UninstallActions::deleteKeyTree(RegistryKey& key, const String&, const String& name)
{
    key.deleteTree(name);
}
