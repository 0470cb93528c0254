// Helpers of the controls tests: a shown host window, painting into a DIB section and reading it back.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/RgbBitmap.h"
#include "toolkit/Window.h"

namespace controltest {

// A visible top-level toolkit window with the default looks; deleting it
// deletes every control made on it.
std::unique_ptr<Window, void (*)(Window*)> makeHost(int width = 320, int height = 240);

// The colour a pen draws with, read back from the pen itself.
COLORREF penColour(HPEN pen);
// The colour of a solid brush, read back from the brush itself.
COLORREF brushColour(HBRUSH brush);

// The objects a DC holds; equal before and after every paint step.
struct Selection {
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ font;
    HGDIOBJ bitmap;
    bool operator==(const Selection& other) const;
};
Selection selectionOf(HDC dc);

// A canvas as large as the window's client area, pre-filled with marker,
// and the window painted onto it through WM_PAINT with the canvas's DC.
// Adds a test failure if the paint left another pen, brush, font or bitmap selected.
std::unique_ptr<RgbBitmap> paint(Window& window, COLORREF marker = RGB(255, 0, 255));

// Bounding box of the pixels in rect that differ from colour; empty when none.
RECT inkBounds(RgbBitmap& canvas, const RECT& rect, COLORREF colour);

// Dispatches queued messages for about the given time.
void pumpFor(DWORD milliseconds);

LPARAM point(int x, int y);

}  // namespace controltest
