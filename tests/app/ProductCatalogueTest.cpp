#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"

#include <gtest/gtest.h>

#include <utility>

TEST(ProductCatalogueLookup, FindsByIdAndExactModelCodeInCatalogueOrder)
{
    ProductRecordList records;
    buildCatalogue(records);
    const std::pair<int, const char*> expected[] = {{1, "T520"}, {2, "T530"}, {3, "T530MCH"}, {5, "T550"}, {4, "T540"}};
    ASSERT_EQ(records.count(), 5);
    for (int i = 0; i < records.count(); ++i) {
        EXPECT_EQ(findProductById(records, expected[i].first), records.item(i)) << expected[i].first;
        EXPECT_EQ(findProductByModelCode(records, expected[i].second), records.item(i)) << expected[i].second;
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
