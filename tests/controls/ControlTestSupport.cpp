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

bool Selection::operator==(const Selection& other) const
{
    return pen == other.pen && brush == other.brush && font == other.font && bitmap == other.bitmap;
}

Selection selectionOf(HDC dc)
{
    return {GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_FONT),
            GetCurrentObject(dc, OBJ_BITMAP)};
}

std::unique_ptr<RgbBitmap> paint(Window& window, COLORREF marker)
{
    RECT client;
    GetClientRect(window.handle(), &client);
    auto canvas = std::make_unique<RgbBitmap>(client.right, client.bottom);
    HBRUSH fill = CreateSolidBrush(marker);
    FillRect(canvas->dc(), &client, fill);
    DeleteObject(fill);
    const Selection before = selectionOf(canvas->dc());
    SendMessageA(window.handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas->dc()), 0);
    EXPECT_TRUE(before == selectionOf(canvas->dc())) << "the paint left other objects selected";
    return canvas;
}

RECT inkBounds(RgbBitmap& canvas, const RECT& rect, COLORREF colour)
{
    RECT ink = {rect.right, rect.bottom, rect.left, rect.top};
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (GetPixel(canvas.dc(), x, y) == colour)
                continue;
            ink.left = x < ink.left ? x : ink.left;
            ink.top = y < ink.top ? y : ink.top;
            ink.right = x + 1 > ink.right ? x + 1 : ink.right;
            ink.bottom = y + 1 > ink.bottom ? y + 1 : ink.bottom;
        }
    }
    if (ink.left >= ink.right)
        return RECT{0, 0, 0, 0};
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
