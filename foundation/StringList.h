// An owning list of heap Strings on a PointerArray, with sorting, sorted
// insertion, prefix search and loading and saving as CR LF text.
#pragma once

#include "foundation/PointerArray.h"
#include "foundation/String.h"

class StringList : public PointerArray {
public:
    StringList(int initialCount = 1024, int maximumCount = 262144);
    ~StringList() override;

    // Adds a copy that shares text at index (-1 or past the count appends). When
    // the list is full the add is dropped silently and the copy is not kept.
    virtual void add(const String& text, int index = -1);
    // Takes the element at index out and destroys it; returns null.
    void* removeAt(int index) override;
    // The String at index, or an empty String for an index outside the list.
    String item(int index) const;

    // Ascending byte-wise order; elements keep their texts, only slots move.
    void sort();
    // Inserts before the first equal element found by binary search, else where the search ends.
    void insertSorted(const String& text);
    // Binary search of a sorted list comparing over min(length, element length)
    // characters; index of the first probe that matches, or -1.
    int findPrefix(const char* text, int length) const;

    // Replaces the contents with the lines of the file (breaks CR, LF or CR LF).
    // False, with the list empty, when the file cannot be opened or mapped
    // (missing, a folder, empty). A NUL inside a line ends its text; the line
    // keeps its length, padded with NUL bytes.
    bool load(const String& path);
    // Writes every element followed by CR LF; false when the file cannot be
    // created or a write fails. The list is never changed.
    bool save(const String& path) const;

private:
    String* element(int index) const { return static_cast<String*>(slots()[index]); }
    bool isFull() const;
    void addLines(const char* bytes, uint32_t size);
};
