// The changes of a real run from the console: each item is deleted and reported
// with what became of it. An item that cannot go now (a file in use, a folder
// that still holds one) is scheduled for deletion when the machine next starts,
// unless that is turned off; a folder only after everything left in it.
#pragma once

#include "app/UninstallActions.h"
#include "console/PathSet.h"
#include "foundation/FileSystem.h"

class ItemReporter;

class DeletingActions : public UninstallActions {
public:
    DeletingActions(ItemReporter& reporter, bool scheduleLocked);

    // True when the file is gone or scheduled.
    bool deleteFile(const String& path) override;
    // True when the folder is gone or scheduled with everything left in it.
    bool deleteFolderTree(const String& path) override;
    void removeEmptyFolder(const String& path) override;
    void deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name) override;

private:
    class Remover;

    bool removeFolder(const String& path, FolderTreeRemover::Entry entry, bool meantToGo);
    // Schedules what could not be deleted, or reports the failure; true when scheduled.
    bool settle(const String& path, const String& item, DWORD error);

    ItemReporter& reporter;
    bool scheduleLocked;
    PathSet scheduled;
};
