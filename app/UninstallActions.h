// Every change an uninstall run makes to the machine goes through one of these
// operations, one item per call. The run makes no other change, so a front-end
// can derive from this class to log each item with its outcome, to list what
// would go without changing anything, or to defer what is locked.
#pragma once

#include "foundation/String.h"

#include <windows.h>

class RegistryKey;

class UninstallActions {
public:
    virtual ~UninstallActions() = default;

    // deleteFileAndCheck: true when the file is not there afterwards.
    virtual bool deleteFile(const String& path);
    // The folder with everything below it; true when the folder is gone.
    virtual bool deleteFolderTree(const String& path);
    // Removes the folder when it is empty; nothing is reported.
    virtual void removeEmptyFolder(const String& path);
    // Deletes name with its whole tree below key, which stands on keyPath under
    // HKEY_LOCAL_MACHINE; the result is not reported.
    virtual void deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name);
};

// Deletes the file and says whether it is gone. A file counts as gone only when the
// system deleted it or reports it not there (file or path not found); when that
// cannot be learnt (a path too long for the ANSI calls, a folder that may not be
// read) it counts as still there. A folder of that name is no file.
bool deleteFileAndCheck(const String& path);

enum class FileDeletion { deleted, notPresent, failed };
// deleteFileAndCheck telling what happened: a folder of that name is not present
// as a file; for a failure, error holds the system's code of the deletion.
FileDeletion deleteFileTelling(const String& path, DWORD& error);
// What a DeleteFileA of path that failed with error means, as deleteFileTelling
// decides it; for a dry run, which only asks what the deletion would answer.
FileDeletion failedDeletion(const String& path, DWORD error);
