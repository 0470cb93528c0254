#include "console/InstalledProducts.h"

#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"
#include "app/UninstallEntry.h"
#include "console/ConsoleStream.h"
#include "console/JsonDocuments.h"
#include "foundation/PathText.h"

bool findInstallationFolder(const ProductRecord& product, String& folder, String& why)
{
    readUninstallEntry(product, folder, why);
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
