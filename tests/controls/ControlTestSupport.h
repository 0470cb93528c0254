// Helpers of the controls tests: a shown host window, painting into a DIB section and reading it back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "controls/RgbBitmap.h"
#include "tests/support/GdiColours.h"
#include "toolkit/Application.h"
#include "toolkit/SelectGuard.h"
#include "toolkit/Window.h"

namespace controltest {

// A visible top-level toolkit window with the default looks; deleting it
// deletes every control made on it.
inline std::unique_ptr<Window, void (*)(Window*)> makeHost(int width = 320, int height = 240)
{
    Window* host = new Window("host", WS_POPUP | WS_VISIBLE, 0, 20, 20, width, height, nullptr);
    application.pumpPending();
    return {host, [](Window* w) {
                delete w;
                application.pumpPending();
            }};
}

using testsupport::brushColour;
using testsupport::penColour;

inline COLORREF at(RgbBitmap& canvas, int x, int y) { return GetPixel(canvas.dc(), x, y); }

// The font a control paints with: the window's, or the system font.
inline HGDIOBJ fontOf(Window& window)
{
    return window.font() ? static_cast<HGDIOBJ>(window.font()) : GetStockObject(SYSTEM_FONT);
}

// Size of a caption in the window's font, as DrawTextA measures it.
inline SIZE captionSize(Window& window, const char* caption)
{
    RgbBitmap scratch(1, 1);
    SelectGuard font(scratch.dc(), fontOf(window));
    RECT r = {0, 0, 0, 0};
    DrawTextA(scratch.dc(), caption, -1, &r, DT_CALCRECT | DT_NOPREFIX);
    return SIZE{r.right, r.bottom};
}

// Most a caption cut with an ellipsis can fall short of its box: a character
// that did not fit, and the room a full stop leaves behind its dot.
inline int ellipsisSlack(Window& window, const char* caption)
{
    RgbBitmap scratch(1, 1);
    SelectGuard font(scratch.dc(), fontOf(window));
    SIZE widest = {0, 0}, one;
    for (const char* c = caption; *c; ++c)
        if (GetTextExtentPoint32A(scratch.dc(), c, 1, &one) && one.cx > widest.cx)
            widest = one;
    GetTextExtentPoint32A(scratch.dc(), ".", 1, &one);
    return widest.cx + one.cx;
}

// The window painted through WM_PAINT onto a canvas of its client size
// pre-filled with marker. Fails the test when the DC is left holding another
// pen, brush, font, bitmap, text colour or background mode than before, or
// when the paint validated the window (a paint into a supplied DC, as for
// WM_PRINT, leaves the update region alone).
inline std::unique_ptr<RgbBitmap> paint(Window& window, COLORREF marker = RGB(255, 0, 255))
{
    RECT client;
    GetClientRect(window.handle(), &client);
    auto canvas = std::make_unique<RgbBitmap>(client.right, client.bottom);
    HDC dc = canvas->dc();
    SetDCBrushColor(dc, marker);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const int kinds[] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP};
    HGDIOBJ before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = GetCurrentObject(dc, kinds[i]);
    const COLORREF textColour = GetTextColor(dc);
    const int backgroundMode = GetBkMode(dc);
    InvalidateRect(window.handle(), nullptr, FALSE);
    SendMessageA(window.handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_TRUE(GetUpdateRect(window.handle(), nullptr, FALSE)) << "a paint into a supplied DC validated the window";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(before[i], GetCurrentObject(dc, kinds[i])) << "object kind " << kinds[i] << " left selected";
    EXPECT_EQ(textColour, GetTextColor(dc));
    EXPECT_EQ(backgroundMode, GetBkMode(dc));
    return canvas;
}

// Bounding box of the pixels in rect that differ from colour.
inline RECT inkBounds(RgbBitmap& canvas, const RECT& rect, COLORREF colour)
{
    RECT ink = {rect.right, rect.bottom, rect.left, rect.top};
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (at(canvas, x, y) != colour)
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                       std::max<LONG>(ink.bottom, y + 1)};
    return ink;
}

inline void pumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        application.pumpPending();
    }
}

}  // namespace controltest
