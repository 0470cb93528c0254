#include <gtest/gtest.h>

#include <vector>

#include "tests/toolkit/WindowTesting.h"
#include "toolkit/BackBuffer.h"
#include "toolkit/BevelSides.h"

using namespace windowtesting;

namespace {

const COLORREF Red = 0x0000ff;

struct Painter : Window {
    std::vector<HDC> paintDcs;
    std::vector<HDC> eraseDcs;
    Painter() : Window("painter", WS_POPUP | WS_VISIBLE, 0, 0, 0, 60, 40, nullptr) {}
    LRESULT onEraseBackground(HDC dc) override
    {
        eraseDcs.push_back(dc);
        return Window::onEraseBackground(dc);
    }
    LRESULT onPaint(HDC dc) override
    {
        paintDcs.push_back(dc);
        RECT r = {10, 10, 20, 20};
        HBRUSH red = CreateSolidBrush(Red);
        FillRect(dc, &r, red);
        DeleteObject(red);
        return Window::onPaint(dc);
    }
};

// A white canvas; a DC whose mapping is the identity but not MM_TEXT gets
// every frame drawn line by line, which is what the copied sides must match.
struct Canvas {
    BackBuffer buffer;
    Canvas(int width, int height, bool plainMapping)
    {
        buffer.open(width, height);
        PatBlt(buffer.dc(), 0, 0, width, height, WHITENESS);
        if (!plainMapping) {
            SetMapMode(buffer.dc(), MM_ANISOTROPIC);
            SetWindowExtEx(buffer.dc(), 1, 1, nullptr);
            SetViewportExtEx(buffer.dc(), 1, 1, nullptr);
        }
    }
};

COLORREF screenPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

}

TEST(DoubleBuffering, PaintReachesTheScreenInOneCopyAndTheBitmapGrowsOnlyWhenOutgrown)
{
    Painter* w = new Painter;
    w->setDoubleBuffered(1);
    ASSERT_TRUE(w->backBuffer().isOpen());
    w->paintDcs.clear();
    w->eraseDcs.clear();
    RedrawWindow(w->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_EQ(1u, w->paintDcs.size());
    EXPECT_EQ(w->backBuffer().dc(), w->paintDcs[0]);
    ASSERT_EQ(1u, w->eraseDcs.size()) << "the screen DC is never erased";
    EXPECT_EQ(w->backBuffer().dc(), w->eraseDcs[0]);
    EXPECT_EQ(Red, screenPixel(w->handle(), 15, 15));
    EXPECT_EQ(0x404040u, screenPixel(w->handle(), 30, 30));
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(w->handle(), &pending, FALSE));
    EXPECT_EQ(static_cast<HGDIOBJ>(w->backBuffer().bitmap()), GetCurrentObject(w->backBuffer().dc(), OBJ_BITMAP));

    w->setSize(80, 50);
    const HBITMAP kept = w->backBuffer().bitmap();
    w->setSize(40, 30);
    EXPECT_EQ(kept, w->backBuffer().bitmap());
    w->setSize(40, 70);
    BITMAP info = {};
    GetObjectA(w->backBuffer().bitmap(), sizeof info, &info);
    EXPECT_EQ(40, info.bmWidth);
    EXPECT_EQ(70, info.bmHeight);
    w->setDoubleBuffered(0);
    EXPECT_FALSE(w->backBuffer().isOpen());
    delete w;
}

TEST(FrameDrawing, RaisedEdgeAndBevelUseTheBorderPensAndRestoreTheDc)
{
    const auto w = ownedTopLevel();
    BackBuffer canvas;
    canvas.open(20, 20);
    PatBlt(canvas.dc(), 0, 0, 20, 20, WHITENESS);
    const HGDIOBJ penBefore = GetCurrentObject(canvas.dc(), OBJ_PEN);
    RECT r = {0, 0, 10, 10};
    w->drawFrame(canvas.dc(), r, 1);
    EXPECT_EQ(0x747474u, GetPixel(canvas.dc(), 0, 0));
    EXPECT_EQ(0x747474u, GetPixel(canvas.dc(), 0, 9));
    EXPECT_EQ(0x2f2f2fu, GetPixel(canvas.dc(), 9, 9));
    EXPECT_EQ(0x2f2f2fu, GetPixel(canvas.dc(), 9, 1));
    EXPECT_EQ(penBefore, GetCurrentObject(canvas.dc(), OBJ_PEN));

    RECT bevel = {0, 0, 20, 20};
    w->drawFrame(canvas.dc(), bevel, 3);
    EXPECT_EQ(3, bevel.left);
    EXPECT_EQ(16, bevel.right) << "one pixel for the inside edge, then one per level";
    EXPECT_EQ(0x2f2f2fu, GetPixel(canvas.dc(), 0, 5)) << "sunken: dark outer left edge";
    EXPECT_EQ(0x515151u, GetPixel(canvas.dc(), 17, 5)) << "light innermost right edge";
    EXPECT_EQ(penBefore, GetCurrentObject(canvas.dc(), OBJ_PEN));
}

TEST(FrameDrawing, TallBevelsHaveTheSamePixelsWhetherTheirSidesAreCopiedOrDrawn)
{
    const auto w = ownedTopLevel();
    const int levels = w->borderWidth();
    ASSERT_EQ(3, levels);
    HPEN dark[3];
    HPEN light[3];
    for (int i = 0; i < levels; ++i) {
        dark[i] = w->darkBorderPen(i);
        light[i] = w->lightBorderPen(i);
    }
    BevelSides sides;
    Canvas copied(50, 140, true);
    Canvas drawn(50, 140, false);
    EXPECT_FALSE(sides.copy(drawn.buffer.dc(), RECT{0, 0, 9, 99}, levels, dark, light)) << "a scaled mapping";
    EXPECT_FALSE(sides.copy(copied.buffer.dc(), RECT{0, 0, 9, 20}, levels, dark, light)) << "a low frame";
    EXPECT_TRUE(sides.copy(copied.buffer.dc(), RECT{0, 0, 9, 99}, levels, dark, light));

    for (const int style : {3, 4}) {
        for (const SIZE size : {SIZE{6, 64}, SIZE{7, 65}, SIZE{45, 131}}) {
            for (Canvas* canvas : {&copied, &drawn}) {
                PatBlt(canvas->buffer.dc(), 0, 0, 50, 140, WHITENESS);
                RECT r = {3, 2, 3 + size.cx, 2 + size.cy};
                w->drawFrame(canvas->buffer.dc(), r, style);
                EXPECT_EQ(6, r.left);
            }
            int differing = 0;
            for (int y = 0; y < 140; ++y)
                for (int x = 0; x < 50; ++x)
                    differing += GetPixel(copied.buffer.dc(), x, y) != GetPixel(drawn.buffer.dc(), x, y);
            EXPECT_EQ(0, differing) << "style " << style << ", " << size.cx << " x " << size.cy;
        }
    }
}
