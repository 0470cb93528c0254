#include "ControlTestSupport.h"

#include <gtest/gtest.h>

#include "toolkit/Application.h"

namespace controltest {

std::unique_ptr<Window, void (*)(Window*)> makeHost(int width, int height)
{
    Window* host = new Window("host", WS_POPUP | WS_VISIBLE, 0, 20, 20, width, height, nullptr);
    application.pumpPending();
    return std::unique_ptr<Window, void (*)(Window*)>(host, [](Window* w) {
        delete w;
        application.pumpPending();
    });
}

COLORREF penColour(HPEN pen)
{
    LOGPEN info = {};
    GetObjectA(pen, sizeof(info), &info);
    return info.lopnColor;
}

COLORREF brushColour(HBRUSH brush)
{
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof(info), &info);
    return info.lbColor;
}

COLORREF at(RgbBitmap& canvas, int x, int y)
{
    return GetPixel(canvas.dc(), x, y);
}

SIZE captionSize(Window& window, const char* caption)
{
    HDC dc = GetDC(window.handle());
    HGDIOBJ previous = SelectObject(dc, window.font() ? window.font() : GetStockObject(SYSTEM_FONT));
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(window.handle(), dc);
    return SIZE{r.right, r.bottom};
}

std::unique_ptr<RgbBitmap> paint(Window& window, COLORREF marker)
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
    SendMessageA(window.handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(before[i], GetCurrentObject(dc, kinds[i])) << "object kind " << kinds[i] << " left selected";
    return canvas;
}

RECT inkBounds(RgbBitmap& canvas, const RECT& rect, COLORREF colour)
{
    RECT ink = {rect.right, rect.bottom, rect.left, rect.top};
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (at(canvas, x, y) != colour) {
                ink.left = x < ink.left ? x : ink.left;
                ink.top = y < ink.top ? y : ink.top;
                ink.right = x + 1 > ink.right ? x + 1 : ink.right;
                ink.bottom = y + 1 > ink.bottom ? y + 1 : ink.bottom;
            }
    return ink;
}

void pumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        application.pumpPending();
    }
}

LPARAM point(int x, int y)
{
    return MAKELPARAM(x, y);
}

}  // namespace controltest
