// Reference-counted lists of shared pens, dotted pens and brushes keyed by colour.
#pragma once

#include <windows.h>

// One shared GDI object. The lists are doubly linked, newest entry at the head.
struct GdiCacheEntry {
    HGDIOBJ handle;
    COLORREF colour;
    int referenceCount;
    GdiCacheEntry* next;
    GdiCacheEntry* previous;
};

// Which of the three lists an operation works on; decides the object created,
// the misuse message and the name in the leak report.
enum class GdiObjectKind { Pen, DotPen, Brush };

// Returns the list's object of that colour, creating it on first use.
// The caller holds one reference until it calls gdiCacheRelease.
HGDIOBJ gdiCacheAcquire(GdiCacheEntry*& head, GdiObjectKind kind, COLORREF colour);

// Gives back one reference; the last one deletes the object. An unknown handle
// writes the list's misuse message to the debugger output, changes nothing and
// returns false.
bool gdiCacheRelease(GdiCacheEntry*& head, GdiObjectKind kind, HGDIOBJ handle);

// Writes one "Undeleted graphics resource: " line per entry to the debugger
// output, deletes the objects and frees the entries. The head is left null.
void gdiCacheReportLeaks(GdiCacheEntry*& head, GdiObjectKind kind);

int gdiCacheCount(const GdiCacheEntry* head);

// The entry holding that handle, or null.
const GdiCacheEntry* gdiCacheFind(const GdiCacheEntry* head, HGDIOBJ handle);
