// The changes of a run as a dry run makes them: each item is reported as it
// would fare and remembered as gone, and nothing on the machine changes.
#pragma once

#include "app/UninstallActions.h"
#include "console/PathSet.h"

class ItemReporter;

class SimulatedActions : public UninstallActions {
public:
    explicit SimulatedActions(ItemReporter& reporter);

    bool deleteFile(const String& path) override;
    // Offers every entry of the tree in the order a real deletion would take them.
    bool deleteFolderTree(const String& path) override;
    void removeEmptyFolder(const String& path) override;
    void deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name) override;

private:
    class Remover;

    // Reports item as deleted unless it is gone already (or was never there).
    void remove(const String& path, const String& item, bool present);

    ItemReporter& reporter;
    PathSet removed; // files, folders and keys this run would have deleted so far
};
