#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/CachedBrush.h"
#include "toolkit/CachedPen.h"
#include "toolkit/Drawing.h"
#include "toolkit/SelectGuard.h"

TEST(ColourFunctions, ShadeAndBlendWorkPerChannelAndStayInRange)
{
    EXPECT_EQ(0x8c8c8cu, shadeColour(0x404040, 0.4));
    EXPECT_EQ(0x272727u, shadeColour(0x404040, -0.4));
    EXPECT_EQ(0x626262u, shadeColour(0x404040, 46.0 / 255));
    EXPECT_EQ(0xffffffu, shadeColour(0xffffff, 0.5));
    EXPECT_EQ(0u, shadeColour(0, -0.5));
    EXPECT_EQ(0x102030u, shadeColour(0xff102030, 0.0));
    EXPECT_EQ(0xffffffu, shadeColour(0x800080, 3.0)) << "a channel must not spill into the next";
    EXPECT_EQ(0x7f0018u, blendColours(0x000010, 0xff0020, 0.5));
    EXPECT_EQ(0xff0020u, blendColours(0x000010, 0xff0020, 1.0));
    EXPECT_EQ(0x800080u, blendColours(0xff00ff, 0x000000, 0.5)) << "truncates towards zero";
    EXPECT_EQ(0x0000ffu, blendColours(0x80, 0xff, 2.0));
}

TEST(RectangleAlignment, PlacesAnItemOfGivenSize)
{
    // flags, item size, expected corner; centring divides towards zero, an unknown nibble leaves the coordinate.
    const struct { int flags; LONG width, height, x, y; } cases[] = {
        { 0x22, 30, 10, 80, 60 }, { 0x11, 30, 10, 10, 20 }, { 0x00, 31, 11, 44, 39 },
        { 0x10, 125, 10, -2, 20 }, { 0x35, 125, 10, 125, 10 },
    };
    const RECT outer = { 10, 20, 110, 70 };
    for (const auto& c : cases) {
        POINT item = { c.width, c.height };
        alignRect(outer, c.flags, item);
        EXPECT_EQ(c.x, item.x) << std::hex << c.flags;
        EXPECT_EQ(c.y, item.y) << std::hex << c.flags;
    }
}

TEST(FontCreation, AskedPropertiesAreWhatTheSystemHolds)
{
    HFONT font = createFont(16, "Arial", 1, 1, 0, 1, FF_SWISS, ANSI_CHARSET);
    LOGFONTA description = {};
    ASSERT_NE(0, GetObjectA(font, sizeof description, &description));
    EXPECT_EQ(16, description.lfHeight);
    EXPECT_EQ(700, description.lfWeight);
    EXPECT_EQ(1, description.lfItalic + description.lfUnderline);
    EXPECT_EQ(1, description.lfStrikeOut);
    EXPECT_EQ(ANTIALIASED_QUALITY, description.lfQuality);
    EXPECT_STREQ("Arial", description.lfFaceName);
    DeleteObject(font);
}

TEST(GdiOwners, SelectionIsUndoneAndCachedObjectsGoBackOnce)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ originalPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ originalBrush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        CachedPen pen(0x00ff00, CachedPen::Dotted);
        CachedBrush first(0x00ff00);
        CachedBrush brush(std::move(first));
        SelectGuard penSelection(dc, pen.handle());
        SelectGuard moved(std::move(penSelection));
        SelectGuard brushSelection(dc, brush.handle());
        EXPECT_EQ(pen.handle(), GetCurrentObject(dc, OBJ_PEN));
        EXPECT_EQ(brush.handle(), GetCurrentObject(dc, OBJ_BRUSH));
        EXPECT_EQ(originalPen, moved.previous());
        EXPECT_EQ(1, application.brushList()->referenceCount);
    }
    EXPECT_EQ(originalPen, GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(originalBrush, GetCurrentObject(dc, OBJ_BRUSH));
    EXPECT_EQ(nullptr, application.dotPenList());
    EXPECT_EQ(nullptr, application.brushList());
    DeleteDC(dc);
}
