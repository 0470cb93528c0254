// Folders a run never empties or deletes by pattern: drive roots and every folder
// that is, or holds, one of the folders the system reports as well known.
#pragma once

#include "foundation/String.h"

#include <vector>

class ProtectedFolders {
public:
    // Asks the system for its well-known folders once.
    ProtectedFolders();

    // True when folder, with "." and ".." resolved (and, where it exists, its long
    // name and the target of any link on the way), is a drive or share root, or is
    // or contains a well-known folder. A folder that cannot be resolved is refused.
    bool refuses(const String& folder) const;

private:
    bool refusesResolved(const String& folder) const;

    std::vector<String> known; // resolved, upper case, without trailing backslash
};
