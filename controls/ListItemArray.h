// The list box's items: one heap block per item holding its flags and its own copy of the text.
#pragma once

#include <cstdint>

#include "foundation/PointerArray.h"

struct ListItem {
    static const std::uint32_t selectedFlag = 1;

    // A new unselected item with a copy of text (null counts as empty); null when there is no memory.
    static ListItem* make(const char* text);
    static void destroy(ListItem* item);

    char* text;
    std::uint32_t flags;
    // Width of the text in the list's font, or -1 until it is measured.
    int width;
};

// Owns its items: removing one or clearing the array frees them.
class ListItemArray : public PointerArray {
public:
    ListItemArray();
    ~ListItemArray() override;

    // Frees the item; always null.
    void* removeAt(int index) override;
    // Null for an index outside the array.
    ListItem* item(int index) const { return static_cast<ListItem*>(at(index)); }
    // Puts item in place of the one at index and frees that one; false (item
    // not taken) for an index outside the array.
    bool replace(int index, ListItem* item);
    // false, with the item not taken, when the array is full.
    bool insertItem(ListItem* item, int index);
    // Every text is measured again at its next paint.
    void forgetWidths();
};
