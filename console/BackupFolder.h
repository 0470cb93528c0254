// The folder a removal saves its items in before it deletes them. It is checked
// and held for the whole removal: it must be new or empty, must not be or pass
// through a link (it is written with the system's rights), and the removal asks
// it whether it lies inside something it is about to delete. Each item is saved
// completely, and its copy read back and checked, before saving reports success;
// the list of saved items is written as each one is saved.
#pragma once

#include "app/FolderIdentitySet.h"
#include "console/BackupManifest.h"
#include "foundation/HeldFolder.h"
#include "foundation/KernelHandle.h"
#include "foundation/String.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class BackupFolder {
public:
    BackupFolder() = default;
    BackupFolder(const BackupFolder&) = delete;
    BackupFolder& operator=(const BackupFolder&) = delete;

    // Makes (or takes, when empty) the folder at path and starts its list with the
    // removal's header. False, with why, for a folder that is there and not empty,
    // a link or a path through one, a drive root, one that is or lies inside any
    // of deletedFolders (what the removal will delete), or one that cannot be
    // made. checkOnly (a dry run) asks all that and makes nothing.
    bool create(const String& path, const std::vector<String>& deletedFolders, const Manifest& header, String& why,
                bool checkOnly = false);
    bool isOpen() const { return list.isOpen(); }
    const String& path() const { return folder; }

    // Whether the backup folder is folder, or lies inside it, whatever the spelling.
    bool liesWithin(const String& folder) const;

    // Each saves one item before it goes: 0 when saved, ERROR_FILE_NOT_FOUND (or
    // ERROR_PATH_NOT_FOUND) when there is nothing to save, else the error that
    // kept it from being saved completely (the item must then stay).
    DWORD saveFile(const String& path);
    DWORD saveFolder(const String& path);
    DWORD saveKeyTree(const String& keyPath);

private:
    bool mayUse(const String& full, const std::vector<String>& deletedFolders, String& why);
    bool hold(const String& full, String& why);
    DWORD add(ManifestItem& item);
    // The attributes and times of the folder that holds path, as they were before
    // the removal first touched anything in it.
    void noteFolderOf(const String& path);
    DWORD recordOf(const String& path, FileRecord& record) const;

    String folder;
    std::unique_ptr<HeldFolder> held;
    KernelHandle list;
    FolderIdentitySet within; // the folder and every folder above it
    std::map<std::string, FileRecord> folderRecords;
    int saved = 0;
};
