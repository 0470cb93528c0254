// What "installed" means: a product is installed while its key under the Uninstall
// key can be opened, and its installation folder is the one that key's
// "DisplayIcon" value names. The window, the console companion and the run ask here.
#pragma once

#include "foundation/String.h"

class ProductRecord;

// The Uninstall key below HKEY_LOCAL_MACHINE, without a trailing backslash.
extern const char uninstallKeyPath[];

// The product's uninstall entry below HKEY_LOCAL_MACHINE.
String uninstallEntryPath(const ProductRecord& product);

// Whether the product's uninstall entry can be opened.
bool isInstalled(const ProductRecord& product);

// False, with why, when the product's uninstall entry cannot be opened. Otherwise
// folder is the installation folder named by its "DisplayIcon" value, with its
// backslash and spelt as the value writes it (installFolderFromIcon), or empty
// with why there is none: no such value, not a string value, or one that names
// no usable folder.
bool readUninstallEntry(const ProductRecord& product, String& folder, String& why);
