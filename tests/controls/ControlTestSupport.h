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

COLORREF penColour(HPEN pen);
COLORREF brushColour(HBRUSH brush);
COLORREF at(RgbBitmap& canvas, int x, int y);
SIZE captionSize(Window& window, const char* caption);

// The window painted through WM_PAINT onto a canvas of its client size
// pre-filled with marker. Fails the test when the DC is left holding another
// pen, brush, font or bitmap than before.
std::unique_ptr<RgbBitmap> paint(Window& window, COLORREF marker = RGB(255, 0, 255));

// Bounding box of the pixels in rect that differ from colour.
RECT inkBounds(RgbBitmap& canvas, const RECT& rect, COLORREF colour);

void pumpFor(DWORD milliseconds);
LPARAM point(int x, int y);

}  // namespace controltest
