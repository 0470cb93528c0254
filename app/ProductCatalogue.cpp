#include "app/ProductCatalogue.h"

#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"

#include <initializer_list>
#include <memory>

namespace {

struct Identity {
    int id;
    const char* modelCode;
    const char* displayName;
    const char* companionName;
    const char* iniFile;
    const char* driverFile;
    const char* serviceName;
    const char* extraServiceName;
    const char* menuGroup;
};

using Names = std::initializer_list<const char*>;

void fill(StringList& list, Names names)
{
    for (const char* name : names)
        list.add(String(name), -1);
}

ProductRecord* makeRecord(const Identity& identity, Names applicationFiles, Names dataExtensions,
                          Names systemFiles, Names pluginFiles, Names shortcuts)
{
    std::unique_ptr<ProductRecord> record(new ProductRecord);
    record->id = identity.id;
    record->modelCode = identity.modelCode;
    record->displayName = identity.displayName;
    record->companionName = identity.companionName;
    record->iniFile = identity.iniFile;
    record->driverFile = identity.driverFile;
    record->serviceName = identity.serviceName;
    record->extraServiceName = identity.extraServiceName;
    record->menuGroup = identity.menuGroup;
    fill(record->systemFiles, systemFiles);
    fill(record->applicationFiles, applicationFiles);
    fill(record->dataExtensions, dataExtensions);
    fill(record->pluginFiles, pluginFiles);
    fill(record->sharedFiles, {"LEVELSDK.DLL", "PLXVALID32.DLL"});
    fill(record->shortcuts, shortcuts);
    return record.release();
}

ProductRecord* makeT520()
{
    return makeRecord({1, "T520", "Vantorix T520", "", "VXT5.INI", "VXT520.SYS", "VXT520", "", "Vx-t520"},
                      {"VXT520.exe", "VXT5.chm", "T5app.exe", "VXT520.chm"},
                      {"T5M", "T5E", "T5S", "T5R", "CAL"},
                      {"VXT5API.DLL", "VXT520API.DLL", "VXT520RT.DLL", "HW_RUNTIME.DLL", "HW_RUNTIME2.DLL",
                       "HW_RUNTIME3.DLL", "HW_RUNTIME4.DLL", "HW_RUNTIME5.DLL", "HW_RUNTIME6.DLL"},
                      {"T520DEMOD.PLX", "T520DEMODPRO.PLX", "T520DEMOD.CHM", "T520DEMODPRO.CHM"},
                      {"Vantorix T520.lnk"});
}

ProductRecord* makeT530()
{
    return makeRecord({2, "T530", "Vantorix T530 Application", "", "VXT530.INI", "VXT5300.SYS", "VXT530", "",
                       "Vx-t530"},
                      {"VXT5300.exe", "VXT530.chm"},
                      {"T5M", "T5E", "T5S", "T5R", "CAL"},
                      {"VXT530API.DLL", "VXT530RT.DLL"},
                      {"T530DEMOD.PLX", "T530DEMOD.CHM"},
                      {"Vantorix T530.lnk"});
}

// The multichannel edition installs over the T530 application and removes it too.
ProductRecord* makeT530Multichannel()
{
    return makeRecord({3, "T530MCH", "Vantorix T530 Multichannel", "Vantorix T530 Application", "VXT530.INI",
                       "VXT5300.SYS", "VXT530", "Mchmixer", "Vx-t530"},
                      {"VXT5300.exe", "VXT530.chm", "T5MCH.EXE", "T5MCH.CHM"},
                      {"T5M", "T5E", "T5S", "T5R", "CAL", "DAT", "CFG"},
                      {"VXT5300API.DLL", "VXT530RT.DLL"},
                      {"T530DEMOD.PLX", "T530DEMOD.CHM"},
                      {"Vantorix T530.lnk", "Vantorix T530 Multichannel.lnk"});
}

ProductRecord* makeT550()
{
    return makeRecord({5, "T550", "Vantorix T550 Application", "", "VXT550.INI", "VXT550.SYS", "VXT550", "",
                       "Vx-t550"},
                      {"VXT550.exe", "VXT550.chm"},
                      {"VTM", "T5E", "T5S", "T5R", "CAL"},
                      {"VXT550API.DLL", "VXT550RT.DLL"},
                      {"T550DEMOD.PLX", "T550DEMOD.CHM"},
                      {"Vantorix T550.lnk", "Vantorix T550 Multichannel.lnk"});
}

// Shares its system libraries with the T550.
ProductRecord* makeT540()
{
    return makeRecord({4, "T540", "Vantorix T540", "", "VXT540.INI", "VXT540.SYS", "VXT540", "", "Vx-t540"},
                      {"VXT540.exe", "VXT540.chm"},
                      {"40M", "T5E", "T5S", "T5R", "CAL"},
                      {"VXT550API.DLL", "VXT550RT.DLL"},
                      {"T540DEMOD.PLX", "T540DEMODPRO.PLX", "T540DEMOD.CHM", "T540DEMODPRO.CHM"},
                      {"Vantorix T540.lnk"});
}

} // namespace

void buildCatalogue(ProductRecordList& records)
{
    records.add(makeT520(), -1);
    records.add(makeT530(), -1);
    records.add(makeT530Multichannel(), -1);
    records.add(makeT550(), -1);
    records.add(makeT540(), -1);
}

ProductRecord* findProductById(const ProductRecordList& records, int id)
{
    ProductRecord* found = nullptr;
    for (int i = 0; i < records.count(); ++i)
        if (records.item(i)->id == id)
            found = records.item(i);
    return found;
}

ProductRecord* findProductByModelCode(const ProductRecordList& records, const String& modelCode)
{
    ProductRecord* found = nullptr;
    for (int i = 0; i < records.count(); ++i)
        if (records.item(i)->modelCode == modelCode)
            found = records.item(i);
    return found;
}
