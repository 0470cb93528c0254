#include <gtest/gtest.h>

#include "tests/support/GdiColours.h"
#include "tests/toolkit/WindowTesting.h"
#include "toolkit/Drawing.h"
#include "toolkit/SelectGuard.h"
#include "toolkit/WindowDC.h"

using namespace windowtesting;

using testsupport::brushColour;
using testsupport::penColour;

TEST(WindowLooks, TopLevelDefaultsReadBackFromTheGdiObjects)
{
    const auto w = ownedTopLevel();
    const COLORREF light[3] = {0x747474, 0x626262, 0x515151};
    const COLORREF dark[3] = {0x2f2f2f, 0x353535, 0x3b3b3b};
    ASSERT_EQ(3, w->borderWidth());
    for (int level = 0; level < 3; ++level) {
        EXPECT_EQ(light[level], penColour(w->lightBorderPen(level))) << level;
        EXPECT_EQ(dark[level], penColour(w->darkBorderPen(level))) << level;
    }
    EXPECT_EQ(nullptr, w->lightBorderPen(3));
    EXPECT_EQ(0x626262u, brushColour(w->faceBrush()));
    EXPECT_EQ(0x404040u, brushColour(w->backgroundBrush()));
    EXPECT_EQ(0x272727u, penColour(w->darkDotPen()));
    EXPECT_EQ(0x8c8c8cu, penColour(w->lightDotPen()));
}

TEST(WindowLooks, ChildrenAndOwnedPopupsFollowParentLooksAndClampedBorderWidthUnlessTheyHaveTheirOwn)
{
    Window* top = topLevel();
    Window* follower = child(top);
    Window* grandchild = child(follower);
    Window* keeper = child(top);
    Window* popup = new Window("popup", WS_POPUP, WS_EX_NOPARENTNOTIFY, 0, 0, 50, 50, top->handle());
    EXPECT_EQ(nullptr, top->nextChild(keeper, 0)) << "an owned popup stays out of the children";
    keeper->setBackgroundColour(0x0000ff);
    keeper->setTextColour(0x00ff00);
    HFONT big = createFont(40, "Arial", 0, 0, 0, 0, 0, 0);
    top->setFont(big);
    top->setTextColour(0x123456);
    top->setBackgroundColour(0x204060);
    EXPECT_EQ(0x204060u, brushColour(grandchild->backgroundBrush()));
    EXPECT_EQ(penColour(top->lightBorderPen(1)), penColour(grandchild->lightBorderPen(1)));
    EXPECT_EQ(0x123456u, grandchild->textColour());
    EXPECT_EQ(big, grandchild->font());
    EXPECT_EQ(0x204060u, popup->backgroundColour());
    EXPECT_EQ(shadeColour(0x204060, 70.0 / 255.0), penColour(top->lightBorderPen(0)));
    EXPECT_EQ(0x0000ffu, brushColour(keeper->backgroundBrush()));
    EXPECT_EQ(shadeColour(0x0000ff, -70.0 / 255.0), penColour(keeper->darkBorderPen(0)));
    EXPECT_EQ(0x00ff00u, keeper->textColour());

    TEXTMETRICA metrics = {};
    {
        WindowDC dc(nullptr);
        SelectGuard font(dc.handle(), big);
        GetTextMetricsA(dc.handle(), &metrics);
    }
    EXPECT_EQ(metrics.tmHeight, grandchild->textHeight());

    keeper->setBackgroundColour(InheritColour);
    EXPECT_EQ(0x204060u, brushColour(keeper->backgroundBrush()));
    top->setBorderContrast(255);
    EXPECT_EQ(shadeColour(0x204060, 1.0), penColour(grandchild->lightBorderPen(0)));

    // A top-level border width stays within 1 to 100, -1 counting as above it; on a child -1 means inherit.
    top->setBorderWidth(0);
    EXPECT_EQ(1, top->ownBorderWidth());
    top->setBorderWidth(500);
    EXPECT_EQ(100, follower->borderWidth());
    EXPECT_NE(nullptr, follower->darkBorderPen(99)) << "the child's table grew with the parent's width";
    top->setBorderWidth(-1);
    EXPECT_EQ(100, top->ownBorderWidth());
    top->setBorderWidth(2);
    EXPECT_EQ(2, follower->borderWidth());
    EXPECT_EQ(nullptr, follower->darkBorderPen(2));
    follower->setBorderWidth(-1);
    EXPECT_EQ(-1, follower->ownBorderWidth());
    delete popup;
    delete top;
    DeleteObject(big);
}
