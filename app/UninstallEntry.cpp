#include "app/UninstallEntry.h"

#include "app/ProductRecord.h"
#include "app/UninstallFolders.h"
#include "foundation/RegistryKey.h"

const char uninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

String uninstallEntryPath(const ProductRecord& product)
{
    return String(uninstallKeyPath) + "\\" + product.displayName;
}

bool isInstalled(const ProductRecord& product)
{
    return RegistryKey(HKEY_LOCAL_MACHINE).exists(uninstallEntryPath(product));
}

bool readUninstallEntry(const ProductRecord& product, String& folder, String& why)
{
    folder = "";
    RegistryKey entry(HKEY_LOCAL_MACHINE);
    if (!entry.open(uninstallEntryPath(product), false)) {
        why = "the uninstall entry cannot be opened";
        return false;
    }
    String icon;
    if (!entry.hasValue("DisplayIcon"))
        why = "the uninstall entry has no \"DisplayIcon\" value";
    else if (!entry.readText("DisplayIcon", icon))
        why = "\"DisplayIcon\" is not a string value";
    else if ((folder = installFolderFromIcon(icon)).length() == 0)
        why = "\"DisplayIcon\" names none: " + icon;
    return true;
}
