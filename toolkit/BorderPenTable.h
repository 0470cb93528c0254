// The pairs of light and dark bevel pens a window holds, one pair per border level.
#pragma once

#include <windows.h>

// Entries are cache pens or the marker -1 (inherit the parent's pen of that
// level). The table holds one cache reference per real pen and gives them back
// on every reset and when it goes.
class BorderPenTable {
public:
    BorderPenTable();
    ~BorderPenTable();
    BorderPenTable(const BorderPenTable&) = delete;
    BorderPenTable& operator=(const BorderPenTable&) = delete;

    static HPEN inheritMarker();

    // Releases every pen; when the count changes the table is reallocated with
    // count entries, all set to the marker.
    void reset(int count);
    int count() const { return levels; }
    // Null for a level outside the table.
    HPEN light(int level) const;
    HPEN dark(int level) const;
    // Stores pens already acquired from the cache (or the marker).
    void set(int level, HPEN lightPen, HPEN darkPen);

private:
    void releaseAll();

    int levels;
    HPEN* pens;
};
