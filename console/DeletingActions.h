// The changes of a real run from the console: each item is deleted, and what
// cannot go now is scheduled for the next start as RemovalActions decides. A
// subclass sees every file, folder and key tree before it goes, and refuses one
// by answering an error instead of deleting it: the item then counts as failed.
#pragma once

#include "console/RemovalActions.h"

class DeletingActions : public RemovalActions {
public:
    DeletingActions(UninstallReporter& reporter, bool scheduleLocked) : RemovalActions(reporter, scheduleLocked) {}

protected:
    DWORD removeFile(const String& path) override;
    DWORD removeFolder(const String& path) override;
    LONG removeKeyTree(RegistryKey& key, const String& name, const String& item) override;
    bool schedule(const String& path, DWORD& error) override;
};
