// The off-screen bitmap and memory DC of a double-buffered window.
#pragma once

#include <windows.h>

#include <optional>

#include "foundation/UniqueHandle.h"
#include "toolkit/MemoryDC.h"
#include "toolkit/SelectGuard.h"

class BackBuffer {
public:
    BackBuffer() = default;
    ~BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Creates a screen-compatible bitmap of that size in a new memory DC; the
    // recorded size stays 0 x 0 so that the first grow always rebuilds.
    void open(int width, int height);
    // Selects the original bitmap back, then deletes the bitmap and the DC.
    void close();
    // Rebuilds with exactly that size unless the bitmap already covers it.
    void grow(int width, int height);

    bool isOpen() const { return memoryDc.isOpen(); }
    HDC dc() const { return memoryDc.get(); }
    HBITMAP bitmap() const { return backBitmap.get(); }
    int width() const { return backWidth; }
    int height() const { return backHeight; }

private:
    // In this order, so that the bitmap is selected out before the DC and it go.
    UniqueHandle<HBITMAP, ::DeleteObject> backBitmap;
    MemoryDC memoryDc;
    std::optional<SelectGuard> selection;
    int backWidth = 0;
    int backHeight = 0;
};
