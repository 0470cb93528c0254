#include "app/ProductRecordList.h"

#include "app/ProductRecord.h"

ProductRecordList::ProductRecordList()
    : PointerArray(1024, 4194304)
{
}

ProductRecordList::~ProductRecordList()
{
    // The base destructor would only reach PointerArray::removeAt.
    clear();
}

void ProductRecordList::add(ProductRecord* record, int index)
{
    int before = count();
    insert(record, index);
    if (count() == before)
        delete record;
}

void* ProductRecordList::removeAt(int index)
{
    delete static_cast<ProductRecord*>(PointerArray::removeAt(index));
    return nullptr;
}
