#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

struct ExpectedRecord {
    int id;
    std::string modelCode, displayName, companionName, iniFile, driverFile, serviceName, extraServiceName,
        menuGroup;
    Names applicationFiles, dataExtensions, systemFiles, pluginFiles, shortcuts;
};

const Names commonData = {"T5M", "T5E", "T5S", "T5R", "CAL"};

const std::vector<ExpectedRecord> expectedCatalogue = {
    {1, "T520", "Vantorix T520", "", "VXT5.INI", "VXT520.SYS", "VXT520", "", "Vx-t520",
     {"VXT520.exe", "VXT5.chm", "T5app.exe", "VXT520.chm"},
     commonData,
     {"VXT5API.DLL", "VXT520API.DLL", "VXT520RT.DLL", "HW_RUNTIME.DLL", "HW_RUNTIME2.DLL", "HW_RUNTIME3.DLL",
      "HW_RUNTIME4.DLL", "HW_RUNTIME5.DLL", "HW_RUNTIME6.DLL"},
     {"T520DEMOD.PLX", "T520DEMODPRO.PLX", "T520DEMOD.CHM", "T520DEMODPRO.CHM"},
     {"Vantorix T520.lnk"}},
    {2, "T530", "Vantorix T530 Application", "", "VXT530.INI", "VXT5300.SYS", "VXT530", "", "Vx-t530",
     {"VXT5300.exe", "VXT530.chm"},
     commonData,
     {"VXT530API.DLL", "VXT530RT.DLL"},
     {"T530DEMOD.PLX", "T530DEMOD.CHM"},
     {"Vantorix T530.lnk"}},
    {3, "T530MCH", "Vantorix T530 Multichannel", "Vantorix T530 Application", "VXT530.INI", "VXT5300.SYS",
     "VXT530", "Mchmixer", "Vx-t530",
     {"VXT5300.exe", "VXT530.chm", "T5MCH.EXE", "T5MCH.CHM"},
     {"T5M", "T5E", "T5S", "T5R", "CAL", "DAT", "CFG"},
     {"VXT5300API.DLL", "VXT530RT.DLL"},
     {"T530DEMOD.PLX", "T530DEMOD.CHM"},
     {"Vantorix T530.lnk", "Vantorix T530 Multichannel.lnk"}},
    {5, "T550", "Vantorix T550 Application", "", "VXT550.INI", "VXT550.SYS", "VXT550", "", "Vx-t550",
     {"VXT550.exe", "VXT550.chm"},
     {"VTM", "T5E", "T5S", "T5R", "CAL"},
     {"VXT550API.DLL", "VXT550RT.DLL"},
     {"T550DEMOD.PLX", "T550DEMOD.CHM"},
     {"Vantorix T550.lnk", "Vantorix T550 Multichannel.lnk"}},
    {4, "T540", "Vantorix T540", "", "VXT540.INI", "VXT540.SYS", "VXT540", "", "Vx-t540",
     {"VXT540.exe", "VXT540.chm"},
     {"40M", "T5E", "T5S", "T5R", "CAL"},
     {"VXT550API.DLL", "VXT550RT.DLL"},
     {"T540DEMOD.PLX", "T540DEMODPRO.PLX", "T540DEMOD.CHM", "T540DEMODPRO.CHM"},
     {"Vantorix T540.lnk"}},
};

std::string text(const String& s)
{
    return std::string(s.cStr(), size_t(s.length()));
}

Names names(const StringList& list)
{
    Names result;
    for (int i = 0; i < list.count(); ++i)
        result.push_back(text(list.item(i)));
    return result;
}

} // namespace

TEST(ProductCatalogueContent, HoldsTheFiveRecordsFieldByField)
{
    ProductRecordList records;
    buildCatalogue(records);
    ASSERT_EQ(records.count(), int(expectedCatalogue.size()));
    for (int i = 0; i < records.count(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i + 1));
        const ProductRecord& actual = *records.item(i);
        const ExpectedRecord& expected = expectedCatalogue[size_t(i)];
        EXPECT_EQ(actual.id, expected.id);
        EXPECT_EQ(text(actual.modelCode), expected.modelCode);
        EXPECT_EQ(text(actual.displayName), expected.displayName);
        EXPECT_EQ(text(actual.companionName), expected.companionName);
        EXPECT_EQ(names(actual.systemFiles), expected.systemFiles);
        EXPECT_EQ(names(actual.applicationFiles), expected.applicationFiles);
        EXPECT_EQ(names(actual.dataExtensions), expected.dataExtensions);
        EXPECT_EQ(names(actual.pluginFiles), expected.pluginFiles);
        EXPECT_EQ(names(actual.sharedFiles), Names({"LEVELSDK.DLL", "PLXVALID32.DLL"}));
        EXPECT_EQ(text(actual.iniFile), expected.iniFile);
        EXPECT_EQ(text(actual.driverFile), expected.driverFile);
        EXPECT_EQ(text(actual.serviceName), expected.serviceName);
        EXPECT_EQ(text(actual.extraServiceName), expected.extraServiceName);
        EXPECT_EQ(text(actual.menuGroup), expected.menuGroup);
        EXPECT_EQ(names(actual.shortcuts), expected.shortcuts);
    }
}

TEST(ProductCatalogueLookup, FindsByIdAndExactModelCode)
{
    ProductRecordList records;
    buildCatalogue(records);
    for (int i = 0; i < records.count(); ++i) {
        const ExpectedRecord& expected = expectedCatalogue[size_t(i)];
        EXPECT_EQ(findProductById(records, expected.id), records.item(i)) << expected.id;
        EXPECT_EQ(findProductByModelCode(records, expected.modelCode.c_str()), records.item(i)) << expected.modelCode;
    }
    EXPECT_EQ(findProductById(records, 0), nullptr);
    for (const char* code : {"t530mch", "T530M", ""})
        EXPECT_EQ(findProductByModelCode(records, code), nullptr) << '"' << code << '"';
}

TEST(ProductRecordListOwnership, DeletesRecordsItHolds)
{
    String code("probe");
    {
        ProductRecordList records;
        for (int i = 0; i < 3; ++i) {
            ProductRecord* record = new ProductRecord;
            record->modelCode = code;
            records.add(record, -1);
        }
        EXPECT_EQ(code.referenceCount(), 4);
        EXPECT_EQ(records.removeAt(3), nullptr);
        EXPECT_EQ(code.referenceCount(), 4);
        EXPECT_EQ(records.removeAt(0), nullptr);
        EXPECT_EQ(records.count(), 2);
        EXPECT_EQ(code.referenceCount(), 3);
    }
    EXPECT_EQ(code.referenceCount(), 1);
}
