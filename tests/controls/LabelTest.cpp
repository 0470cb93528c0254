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
    const char* caption = "Keep Vantorix shared files";
    Label* label = new Label(caption, host.get(), 0, 0, 60, 40, WS_CHILD | WS_VISIBLE);
    Label* wide = new Label(caption, host.get(), 0, 50, 0, 0, WS_CHILD | WS_VISIBLE);
    const COLORREF background = brushColour(host->backgroundBrush());
    auto canvas = paint(*label);
    EXPECT_EQ(background, at(*canvas, 59, 39));
    const RECT ink = inkBounds(*canvas, RECT{0, 0, 60, 40}, background);
    const RECT whole = inkBounds(*paint(*wide), RECT{0, 0, wide->width(), wide->height()}, background);
    // On the rows and from the column where the caption of a label fitted to it begins.
    EXPECT_EQ(whole.left, ink.left);
    EXPECT_GE(ink.top, whole.top);
    EXPECT_LE(ink.bottom, whole.bottom);
    EXPECT_GT(ink.right, 60 - ellipsisSlack(*label, caption));
}
