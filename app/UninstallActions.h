// Every change an uninstall run makes to the machine goes through one of these
// operations, one item per call, and each item is told to the reporter with what
// became of it. The run makes no other change, so a front-end can derive from
// this class to list what would go without changing anything, to defer what is
// locked, or to refuse an item before it is touched.
#pragma once

#include "foundation/String.h"

#include <windows.h>

class RegistryKey;
class UninstallReporter;
enum class ItemOutcome;

class UninstallActions {
public:
    // Without a reporter the items are told to nobody.
    UninstallActions() = default;
    explicit UninstallActions(UninstallReporter& reporter) : reporter(&reporter) {}
    virtual ~UninstallActions() = default;
    UninstallActions(const UninstallActions&) = delete;
    UninstallActions& operator=(const UninstallActions&) = delete;

    // True when the file is not there afterwards. A file counts as gone only when
    // the system deleted it or reports it not there (file or path not found); when
    // that cannot be learnt (a path too long for the ANSI calls, a folder that may
    // not be read) it counts as still there. A folder of that name is no file.
    virtual bool deleteFile(const String& path);
    // The folder with everything below it; true when the folder is gone.
    virtual bool deleteFolderTree(const String& path);
    // Removes the folder when it is empty; a folder that is not is no failure.
    virtual void removeEmptyFolder(const String& path);
    // Deletes name with its whole tree below key, which stands on keyPath under
    // HKEY_LOCAL_MACHINE.
    virtual void deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name);

protected:
    void tell(ItemOutcome outcome, const String& item, DWORD error);

private:
    UninstallReporter* reporter = nullptr;
};

enum class FileDeletion { deleted, notPresent, failed };
// Deletes the file as UninstallActions::deleteFile decides it, telling what
// happened; for a failure, error holds the system's code of the deletion.
FileDeletion deleteFileTelling(const String& path, DWORD& error);
// What a DeleteFileA of path that failed with error means, as deleteFileTelling
// decides it; for a dry run, which only asks what the deletion would answer.
FileDeletion failedDeletion(const String& path, DWORD error);
