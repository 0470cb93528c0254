// The changes of a real run from the console: each item is deleted, and what
// cannot go now is scheduled for the next start as RemovalActions decides.
#pragma once

#include "console/RemovalActions.h"

class DeletingActions : public RemovalActions {
public:
    DeletingActions(ItemReporter& reporter, bool scheduleLocked) : RemovalActions(reporter, scheduleLocked) {}

protected:
    DWORD removeFile(const String& path) override;
    DWORD removeFolder(const String& path) override;
    LONG removeKeyTree(RegistryKey& key, const String& name, const String& item) override;
    bool schedule(const String& path, DWORD& error) override;
};
