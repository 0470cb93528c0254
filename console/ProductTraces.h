// What one of the products has left on the machine, found where its installer
// puts it, whether or not its uninstall entry is still there: for "scan", and
// for a clean-up that removes what was left.
#pragma once

#include "foundation/String.h"

#include <vector>

class ProductRecord;

struct ProductTrace {
    const char* kind; // "uninstall entry", "application file", "system file", ...
    String path;      // a file, a folder (with a backslash) or a key ("HKLM\...")
};

// The product's traces: its uninstall entries and service keys; its files in the
// installation folder (when the entry names one, or installFolder is given), the
// Windows folder, the system folder and the drivers folders; its plug-in files
// and settings file in the plug-in folder; its start-menu group and desktop
// shortcuts in the common folders and in every listed profile.
std::vector<ProductTrace> findTraces(const ProductRecord& product, const String& installFolder = String(""));
