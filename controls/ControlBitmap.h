// The image a control shows: a bitmap resource, its disabled look and the memory context they are blitted from.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/OwnedGdiObject.h"
#include "toolkit/MemoryDC.h"
#include "toolkit/SelectGuard.h"

class ControlBitmap {
public:
    ControlBitmap() = default;
    ~ControlBitmap() { release(); }
    ControlBitmap(const ControlBitmap&) = delete;
    ControlBitmap& operator=(const ControlBitmap&) = delete;

    // Releases the previous load, then loads the resource into a memory
    // context compatible with the window's DC and builds the disabled look:
    // the key colour (pixel 0, 0) becomes black, every other pixel
    // disabledColour. False when the resource or the context could not be had.
    bool load(HWND window, HINSTANCE module, const char* name, COLORREF disabledColour);
    // Replaces the disabled look by another resource; a failed load keeps the old one.
    bool loadDisabled(HINSTANCE module, const char* name);
    // Selects the original bitmap back into the memory context, deletes the
    // context and both images.
    void release();

    // Selects the image for the state into the memory context and gives its
    // size; false when there is nothing to draw.
    bool select(bool disabled, SIZE& size);
    HDC dc() const { return memory_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    HBITMAP disabledBitmap() const { return disabled_.get(); }

private:
    void buildDisabled(HDC windowDc, COLORREF colour);
    // Keeps the disabled image out of the memory context before it is deleted.
    void deselectDisabled();

    // In this order, so that the selection is undone, then the DC deleted, then the images.
    OwnedGdiObject<HBITMAP> bitmap_;
    OwnedGdiObject<HBITMAP> disabled_;
    MemoryDC memory_;
    // The memory DC's own bitmap, selected back before the DC goes.
    std::optional<SelectGuard> original_;
};
