#include "app/UninstallActions.h"

#include "foundation/FileSystem.h"
#include "foundation/RegistryKey.h"

#include <windows.h>

bool deleteFileAndCheck(const String& path)
{
    if (DeleteFileA(path.cStr()))
        return true;
    DWORD attributes = GetFileAttributesA(path.cStr());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
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
