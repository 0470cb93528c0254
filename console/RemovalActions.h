// The changes of a console run, item by item, with what becomes of each: what
// counts as gone, what is scheduled for deletion when the machine next starts,
// and what stays and why. The decisions are made here once, for the real run and
// the dry run alike; a subclass carries each change out, or tells what carrying
// it out would answer without changing anything, so that a dry run lists the
// items, outcomes and exit code of the real run.
#pragma once

#include "app/UninstallActions.h"
#include "console/PathSet.h"
#include "foundation/FileSystem.h"

class UninstallReporter;

class RemovalActions : public UninstallActions {
public:
    // True when the file is gone or scheduled.
    bool deleteFile(const String& path) override;
    // True when the folder is gone or scheduled with everything left in it.
    bool deleteFolderTree(const String& path) override;
    void removeEmptyFolder(const String& path) override;
    void deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name) override;

protected:
    // scheduleLocked: what cannot go now may be scheduled for the next start.
    RemovalActions(UninstallReporter& reporter, bool scheduleLocked);

    // Each answers what deleting the item answers (or would): 0 when it goes, else
    // the system's error, ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND when
    // nothing is there. item is the key's name as reported ("HKLM\...").
    virtual DWORD removeFile(const String& path) = 0;
    virtual DWORD removeFolder(const String& path) = 0;
    virtual LONG removeKeyTree(RegistryKey& key, const String& name, const String& item) = 0;
    // Schedules the item for deletion at the next start; true when it is (or would
    // be). On failure, error becomes the scheduling's own error when it gave one.
    virtual bool schedule(const String& path, DWORD& error) = 0;

    // Every file and folder this run has deleted or scheduled (or would have).
    PathSet settled;

private:
    class Remover;

    bool removeFolderEntry(const String& path, FolderTreeRemover::Entry entry, bool meantToGo);
    // Schedules what could not be deleted, or reports the failure; true when scheduled.
    bool settle(const String& path, const String& item, DWORD error);
    void gone(const String& path, const String& item);

    bool scheduleLocked;
};

// The name to schedule path under: the folder it lies in as the system really
// names it (a 32-bit process sees System32 redirected, and the system carries the
// entry out natively), and the entry's own name. The entry itself is never
// resolved: a link would be named by what it leads to. Empty when the entry is
// not there (asked of it, not of its target) or its folder cannot be named.
String scheduledName(const String& path);
