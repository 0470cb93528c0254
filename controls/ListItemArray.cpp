#include "controls/ListItemArray.h"

#include <cstring>
#include <new>

namespace {

const int initialItems = 1024;
const int maximumItems = 4194304;

}

ListItem* ListItem::make(const char* text)
{
    if (text == nullptr)
        text = "";
    const std::size_t length = std::strlen(text);
    void* block = ::operator new(sizeof(ListItem) + length + 1, std::nothrow);
    if (block == nullptr)
        return nullptr;
    ListItem* item = new (block) ListItem;
    item->text = reinterpret_cast<char*>(item + 1);
    std::memcpy(item->text, text, length + 1);
    item->flags = 0;
    item->width = -1;
    return item;
}

void ListItem::destroy(ListItem* item)
{
    if (item == nullptr)
        return;
    item->~ListItem();
    ::operator delete(item);
}

ListItemArray::ListItemArray() : PointerArray(initialItems, maximumItems) {}

ListItemArray::~ListItemArray()
{
    clear();
}

void* ListItemArray::removeAt(int index)
{
    ListItem::destroy(static_cast<ListItem*>(PointerArray::removeAt(index)));
    return nullptr;
}

bool ListItemArray::replace(int index, ListItem* replacement)
{
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(count()))
        return false;
    ListItem::destroy(item(index));
    slots()[index] = replacement;
    return true;
}

void ListItemArray::forgetWidths()
{
    for (int i = 0; i < count(); ++i)
        item(i)->width = -1;
}

bool ListItemArray::insertItem(ListItem* newItem, int index)
{
    const int before = count();
    insert(newItem, index);
    return count() > before;
}
