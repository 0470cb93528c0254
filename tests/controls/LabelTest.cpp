#include "controls/Label.h"

#include <gtest/gtest.h>

#include "ControlTestSupport.h"

using namespace controltest;

TEST(LabelSize, ZeroSizeFitsTheCaptionAndRefitKeepsTheCorner)
{
    auto host = makeHost();
    const char* first = "Select application to delete";
    Label* label = new Label(first, host.get(), 12, 14, 0, 0, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(captionSize(*label, first).cx, label->width());
    EXPECT_EQ(captionSize(*label, first).cy, label->height());

    const char* longer = "Keep Vantorix plug-ins & add-ons, and more";
    EXPECT_TRUE(label->setCaption(longer, 1));
    EXPECT_EQ(captionSize(*label, longer).cx, label->width());
    EXPECT_EQ(12, label->x());
    EXPECT_EQ(14, label->y());

    label->setCaption(String("Keep Vantorix plug-ins & add-ons, and much more than that"), 0);
    EXPECT_EQ(captionSize(*label, longer).cx, label->width());
}

TEST(LabelPaint, CaptionAtTopLeftOnTheParentBackgroundCutWhenNarrow)
{
    auto host = makeHost();
    host->setTextColour(RGB(255, 255, 255));
    Label* label = new Label("Keep Vantorix shared files", host.get(), 0, 0, 60, 40, WS_CHILD | WS_VISIBLE);
    const COLORREF background = brushColour(host->backgroundBrush());
    auto canvas = paint(*label);
    EXPECT_EQ(background, at(*canvas, 59, 39));
    const RECT ink = inkBounds(*canvas, RECT{0, 0, 60, 40}, background);
    EXPECT_TRUE(ink.left <= 2 && ink.top <= 4 && ink.right > 50 && ink.bottom < 40 / 2 + 4)
        << ink.left << ", " << ink.top << ", " << ink.right << ", " << ink.bottom;
}
