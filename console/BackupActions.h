// The changes of a real run with a backup: each item is saved in the backup
// folder before it is deleted. An item that cannot be saved completely is not
// deleted, nor scheduled: it fails with the error that kept it from being saved.
#pragma once

#include "console/DeletingActions.h"
#include "console/PathSet.h"

class BackupFolder;

class BackupActions final : public DeletingActions {
public:
    BackupActions(UninstallReporter& reporter, bool scheduleLocked, BackupFolder& backup)
        : DeletingActions(reporter, scheduleLocked), backup(backup)
    {
    }

protected:
    DWORD removeFile(const String& path) override;
    DWORD removeFolder(const String& path) override;
    LONG removeKeyTree(RegistryKey& key, const String& name, const String& item) override;
    bool schedule(const String& path, DWORD& error) override;

private:
    // The save's error when the item is there and could not be saved, else 0.
    DWORD unsavedError(const String& path, DWORD saved);

    BackupFolder& backup;
    PathSet unsaved;
};
