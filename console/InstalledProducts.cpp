#include "console/InstalledProducts.h"

#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"
#include "app/UninstallFolders.h"
#include "console/ConsoleStream.h"
#include "console/JsonDocuments.h"
#include "foundation/PathText.h"
#include "foundation/RegistryKey.h"

namespace {

const char uninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

} // namespace

bool isInstalled(const ProductRecord& product)
{
    return RegistryKey(HKEY_LOCAL_MACHINE).exists(uninstallKeyPath + product.displayName);
}

bool findInstallationFolder(const ProductRecord& product, String& folder, String& why)
{
    RegistryKey entry(HKEY_LOCAL_MACHINE);
    String icon;
    if (!entry.open(uninstallKeyPath + product.displayName, false))
        why = "the uninstall entry cannot be opened";
    else if (!entry.hasValue("DisplayIcon"))
        why = "the uninstall entry has no \"DisplayIcon\" value";
    else if (!entry.readText("DisplayIcon", icon))
        why = "\"DisplayIcon\" is not a string value";
    else if ((folder = installFolderFromIcon(icon)).length() == 0)
        why = "\"DisplayIcon\" names none: " + icon;
    if (folder.length() == 0)
        return false;
    // Told as the run's items are: with single backslashes.
    String single = withSingleBackslashes(folder);
    folder = endsWithBackslash(single) ? single : single + "\\";
    return true;
}

int listProducts(bool json, ConsoleStream& out, ConsoleStream& err)
{
    ProductRecordList catalogue;
    buildCatalogue(catalogue);
    int listed = 0;
    String document = "{\"products\":[";
    for (int i = 0; i < catalogue.count(); ++i) {
        const ProductRecord& product = *catalogue.item(i);
        if (!isInstalled(product))
            continue;
        String folder, why;
        bool found = findInstallationFolder(product, folder, why);
        document += String(listed > 0 ? "," : "") + "\r\n{\"code\":" + jsonString(product.modelCode) +
                    ",\"name\":" + jsonString(product.displayName) + ",\"folder\":" +
                    (found ? jsonString(folder) : "null,\"reason\":" + jsonString(why)) + "}";
        if (!json)
            out.writeLine(product.modelCode + "\t" + product.displayName + "\t" +
                          (found ? folder : "(no installation folder: " + why + ")"));
        ++listed;
    }
    if (json)
        out.writeLine(document + "]}");
    if (listed == 0)
        err.writeLine("No Vantorix T5 product is installed.");
    return 0;
}
