#include "toolkit/Drawing.h"

#include <cmath>

namespace {

// Truncates towards zero and keeps the channel inside 0..255; a NaN gives 0.
int toChannel(double value)
{
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return static_cast<int>(std::trunc(value));
}

int channel(COLORREF colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

COLORREF pack(int red, int green, int blue)
{
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}

int shadeChannel(int v, double f)
{
    if (f > 0.0)
        return toChannel(v + std::trunc((255 - v) * f));
    return toChannel(v - std::trunc(v * std::fabs(f)));
}

int blendChannel(int a, int b, double f)
{
    return toChannel(a + std::trunc((b - a) * f));
}

}  // namespace

HFONT createFont(int height, const char* faceName, int bold, int italic, int underline, int strikeOut,
    int pitchAndFamily, int charSet)
{
    return CreateFontA(height, 0, 0, 0, bold != 0 ? 700 : 0, static_cast<DWORD>(italic),
        static_cast<DWORD>(underline), static_cast<DWORD>(strikeOut), static_cast<DWORD>(charSet),
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, static_cast<DWORD>(pitchAndFamily),
        faceName);
}

COLORREF shadeColour(COLORREF colour, double f)
{
    return pack(shadeChannel(channel(colour, 0), f), shadeChannel(channel(colour, 8), f),
        shadeChannel(channel(colour, 16), f));
}

COLORREF blendColours(COLORREF a, COLORREF b, double f)
{
    return pack(blendChannel(channel(a, 0), channel(b, 0), f), blendChannel(channel(a, 8), channel(b, 8), f),
        blendChannel(channel(a, 16), channel(b, 16), f));
}

void inflateRect(RECT& r, int d)
{
    r.left -= d;
    r.top -= d;
    r.right += d;
    r.bottom += d;
}

void offsetRect(RECT& r, int dx, int dy)
{
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

void alignRect(const RECT& outer, int flags, POINT& item)
{
    const LONG width = item.x;
    const LONG height = item.y;
    switch (flags & 0xF0) {
    case 0x10:
        item.y = outer.top;
        break;
    case 0x20:
        item.y = outer.bottom - height;
        break;
    case 0x00:
        item.y = outer.top + (outer.bottom - outer.top - height) / 2;
        break;
    default:
        break;
    }
    switch (flags & 0x0F) {
    case 1:
        item.x = outer.left;
        break;
    case 2:
        item.x = outer.right - width;
        break;
    case 0:
        item.x = outer.left + (outer.right - outer.left - width) / 2;
        break;
    default:
        break;
    }
}
