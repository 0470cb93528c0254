// An ordered array of pointers on a VirtualBuffer: the room doubles when full,
// up to the maximum given at construction, and the slots never move in memory.
#pragma once

#include "foundation/VirtualBuffer.h"

class PointerArray : public VirtualBuffer {
public:
    static constexpr uint32_t slotSize = sizeof(void*);

    PointerArray(int initialCount, int maximumCount);
    // Empties the array through PointerArray::removeAt; a derived list that owns
    // its elements must call clear in its own destructor.
    ~PointerArray() override;

    int count() const { return static_cast<int>(size() / slotSize); }
    // The pointer at index, or null for an index outside the array.
    void* at(int index) const;
    // Inserts at index (a negative index or one past the count appends). An insert
    // into a full reservation is dropped without a report.
    virtual void insert(void* pointer, int index);
    // Takes the element at index out and returns it; null when index is outside.
    virtual void* removeAt(int index);
    // Removes every element from the last to the first, then gives back the
    // pages above the initial room.
    void clear();
    // Index of the last slot holding pointer, or -1.
    int indexOf(const void* pointer) const;
    // Exchanges two slots; does nothing when either index is outside.
    void swap(int i, int j);

protected:
    void** slots() const { return reinterpret_cast<void**>(data()); }
};
