// The catalogue's owning list of product records. It lives beside the record
// rather than in foundation/, so that the library does not depend on the application.
#pragma once

#include "foundation/PointerArray.h"

class ProductRecord;

class ProductRecordList : public PointerArray {
public:
    ProductRecordList();
    ~ProductRecordList() override;

    // Takes ownership of record and inserts it at index (-1 appends). A record
    // dropped because the list is full is deleted.
    void add(ProductRecord* record, int index = -1);
    // Deletes the record at index and takes its slot out; returns null.
    void* removeAt(int index) override;
    // The record at index, or null for an index outside the list.
    ProductRecord* item(int index) const { return static_cast<ProductRecord*>(at(index)); }
};
