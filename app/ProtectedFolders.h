// Folders a run never empties or deletes by pattern: drive roots, every folder
// inside the Windows folder, and every folder that is, or holds, a well-known
// folder: Program Files, ProgramData, the shell folders of the running account
// and of all accounts, and every profile on the machine with every folder
// directly inside it and its application data and start menu. Folders are
// compared by what they are, so that no other name (a drive alias, a share, a
// link) gets around it.
#pragma once

#include "app/FolderIdentitySet.h"
#include "foundation/String.h"

#include <vector>

class ProtectedFolders {
public:
    // Learns the well-known folders once, from the registry, the environment and
    // the system; changes nothing (the shell is not asked: it would rewrite
    // "Shell Folders").
    ProtectedFolders();

    // True when folder is a drive or share root, lies anywhere inside the Windows
    // folder, or is or holds a well-known folder. A folder that is there but cannot
    // be opened to ask what it is is refused; one that is not there is not.
    bool refuses(const String& folder) const;

private:
    void addProfiles();
    void addProfile(const String& profile);
    bool add(const String& folder);
    void addSystemRoot(const String& folder);
    bool liesInsideSystemRoot(const String& path) const;

    FolderIdentitySet known;
    std::vector<FileIdentity> systemRoots; // the Windows folder and the system folders in it
};
