#include "toolkit/GdiCache.h"

#include <cstdint>

#include "foundation/String.h"

namespace {

HGDIOBJ createObject(GdiObjectKind kind, COLORREF colour)
{
    switch (kind) {
    case GdiObjectKind::Pen:
        return CreatePen(PS_SOLID, 0, colour);
    case GdiObjectKind::DotPen:
        return CreatePen(PS_DOT, 1, colour);
    case GdiObjectKind::Brush:
        break;
    }
    return CreateSolidBrush(colour);
}

const char* misuseMessage(GdiObjectKind kind)
{
    switch (kind) {
    case GdiObjectKind::Pen:
        return "DeletePen called for non-existing handle\n";
    case GdiObjectKind::DotPen:
        return "DeleteDotPen called for non-existing handle\n";
    case GdiObjectKind::Brush:
        break;
    }
    return "DeleteBrush called for non-existing handle\n";
}

const char* reportName(GdiObjectKind kind)
{
    switch (kind) {
    case GdiObjectKind::Pen:
        return "Pen=";
    case GdiObjectKind::DotPen:
        return "DotPen=";
    case GdiObjectKind::Brush:
        break;
    }
    return "Brush=";
}

GdiCacheEntry* findColour(GdiCacheEntry* head, COLORREF colour)
{
    for (GdiCacheEntry* entry = head; entry != nullptr; entry = entry->next) {
        if (entry->colour == colour)
            return entry;
    }
    return nullptr;
}

void unlink(GdiCacheEntry*& head, GdiCacheEntry* entry)
{
    if (entry->previous != nullptr)
        entry->previous->next = entry->next;
    else
        head = entry->next;
    if (entry->next != nullptr)
        entry->next->previous = entry->previous;
}

String leakLine(const GdiCacheEntry& entry, GdiObjectKind kind)
{
    const uint64_t handle = reinterpret_cast<uintptr_t>(entry.handle);
    return String("Undeleted graphics resource: ") + reportName(kind) + String::fromHex(handle, 0) +
        ", color=" + String::fromHex(entry.colour, 6) +
        ", refcount=" + String::fromInt(entry.referenceCount) + "\n";
}

}  // namespace

HGDIOBJ gdiCacheAcquire(GdiCacheEntry*& head, GdiObjectKind kind, COLORREF colour)
{
    GdiCacheEntry* entry = findColour(head, colour);
    if (entry != nullptr) {
        ++entry->referenceCount;
        return entry->handle;
    }
    entry = new GdiCacheEntry { createObject(kind, colour), colour, 1, head, nullptr };
    if (head != nullptr)
        head->previous = entry;
    head = entry;
    return entry->handle;
}

bool gdiCacheRelease(GdiCacheEntry*& head, GdiObjectKind kind, HGDIOBJ handle)
{
    GdiCacheEntry* entry = const_cast<GdiCacheEntry*>(gdiCacheFind(head, handle));
    if (entry == nullptr) {
        OutputDebugStringA(misuseMessage(kind));
        return false;
    }
    if (entry->referenceCount >= 2) {
        --entry->referenceCount;
        return true;
    }
    DeleteObject(entry->handle);
    unlink(head, entry);
    delete entry;
    return true;
}

void gdiCacheReportLeaks(GdiCacheEntry*& head, GdiObjectKind kind)
{
    GdiCacheEntry* entry = head;
    // The head goes first so that nothing can reach the entries being freed.
    head = nullptr;
    while (entry != nullptr) {
        GdiCacheEntry* next = entry->next;
        OutputDebugStringA(leakLine(*entry, kind).cStr());
        DeleteObject(entry->handle);
        delete entry;
        entry = next;
    }
}

int gdiCacheCount(const GdiCacheEntry* head)
{
    int count = 0;
    for (; head != nullptr; head = head->next)
        ++count;
    return count;
}

const GdiCacheEntry* gdiCacheFind(const GdiCacheEntry* head, HGDIOBJ handle)
{
    for (; head != nullptr; head = head->next) {
        if (head->handle == handle)
            return head;
    }
    return nullptr;
}
