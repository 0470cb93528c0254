// One folder of a tree walk, held open while its entries are listed and deleted.
// It is opened as itself, never through a link, and without delete sharing, so
// that its name keeps naming it (it can be neither renamed nor replaced) until
// it is let go. Its entries are listed through the handle, each with its index,
// so that a sub-folder is entered only as the folder that was listed.
#pragma once

#include "foundation/KernelHandle.h"
#include "foundation/String.h"

#include <windows.h>

#include <functional>

class HeldFolder {
public:
    enum class Kind { folder, link, other, missing };

    struct Entry {
        String name;       // in the ANSI code page; see exact
        bool exact;        // the name has an exact ANSI form (no best fit, no default character)
        DWORD attributes;
        ULONGLONG index;   // the file index the listing gives; 0 when it gives none
    };

    // Opens path. A folder whose handle reports a reparse point is a link; one
    // whose index is not expectedIndex (when that is not 0) is other: it is not
    // the folder that was listed.
    explicit HeldFolder(const String& path, ULONGLONG expectedIndex = 0);
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;

    Kind kind() const { return what; }
    // Calls visit for every entry but "." and ".."; false when the folder cannot
    // be listed. Only for a folder.
    bool list(const std::function<void(const Entry&)>& visit) const;
    // Lets the folder go, so that it can be removed.
    void release() { handle.reset(); }

private:
    KernelHandle handle;
    Kind what = Kind::missing;
};
