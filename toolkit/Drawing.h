// Font creation and the small colour and rectangle functions the drawing code relies on.
#pragma once

#include <windows.h>

// An antialiased font; the caller deletes it. A failed creation returns null.
HFONT createFont(int height, const char* faceName, int bold, int italic, int underline, int strikeOut,
    int pitchAndFamily, int charSet);

// Positive f lightens each channel towards white by that fraction, negative f
// darkens towards black. Channels are kept within 0..255 for |f| > 1.
COLORREF shadeColour(COLORREF colour, double f);

// a + (b - a) * f per channel; f = 0 gives a, f = 1 gives b. Channels are kept
// within 0..255 for f outside 0..1.
COLORREF blendColours(COLORREF a, COLORREF b, double f);

void inflateRect(RECT& r, int d);
void offsetRect(RECT& r, int dx, int dy);

// item holds a width (x) and height (y) on entry and the aligned top-left on
// return. Flags: 0x10 top, 0x20 bottom, 0x00 vertical centre; 1 left, 2 right,
// 0 horizontal centre. Any other nibble leaves that coordinate as it was.
void alignRect(const RECT& outer, int flags, POINT& item);
