#include "console/ScanCommand.h"

#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"
#include "console/ConsoleStream.h"
#include "console/JsonDocuments.h"
#include "console/ProductTraces.h"

int scanTraces(bool json, ConsoleStream& out, ConsoleStream& err)
{
    ProductRecordList catalogue;
    buildCatalogue(catalogue);
    int found = 0;
    String document = "{\"traces\":[";
    for (int i = 0; i < catalogue.count(); ++i) {
        const ProductRecord& product = *catalogue.item(i);
        for (const ProductTrace& trace : findTraces(product)) {
            document += String(found > 0 ? "," : "") + "\r\n{\"code\":" + jsonString(product.modelCode) +
                        ",\"kind\":" + jsonString(trace.kind) + ",\"path\":" + jsonString(trace.path) + "}";
            if (!json)
                out.writeLine(product.modelCode + "\t" + trace.kind + "\t" + trace.path);
            ++found;
        }
    }
    if (json)
        out.writeLine(document + "]}");
    if (found == 0)
        err.writeLine("No trace of a Vantorix T5 product was found.");
    return 0;
}
