#include "controls/Label.h"

#include <gtest/gtest.h>

#include "ControlTestSupport.h"

using namespace controltest;

namespace {

const DWORD labelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

}  // namespace

TEST(LabelSize, ZeroSizeFitsTheCaptionAndRefitKeepsTheCorner)
{
    auto host = makeHost();
    Label* label = new Label("Select application to delete", host.get(), 12, 14, 0, 0, labelStyle);
    EXPECT_EQ(captionSize(*label, "Select application to delete").cx, label->width());
    EXPECT_EQ(captionSize(*label, "Select application to delete").cy, label->height());

    const char* longer = "Keep Vantorix plug-ins & add-ons, and more";
    EXPECT_TRUE(label->setCaption(longer, 1));
    EXPECT_EQ(captionSize(*label, longer).cx, label->width());
    EXPECT_EQ(12, label->x());
    EXPECT_EQ(14, label->y());

    const int kept = label->width();
    label->setCaption(String("Keep Vantorix plug-ins & add-ons, and much more than that"), 0);
    EXPECT_EQ(kept, label->width());
}

TEST(LabelPaint, CaptionAtTopLeftOnTheParentBackgroundCutWhenNarrow)
{
    auto host = makeHost();
    host->setTextColour(RGB(255, 255, 255));
    Label* label = new Label("Keep Vantorix shared files", host.get(), 0, 0, 60, 40, labelStyle);
    EXPECT_EQ(60, label->width());
    const COLORREF background = brushColour(host->backgroundBrush());
    auto canvas = paint(*label);
    EXPECT_EQ(background, at(*canvas, 59, 39));
    const RECT ink = inkBounds(*canvas, RECT{0, 0, 60, 40}, background);
    EXPECT_LE(ink.left, 2);
    EXPECT_LE(ink.top, 4);
    EXPECT_GT(ink.right, 50);
    EXPECT_LT(ink.bottom, 40 / 2 + 4);
}
