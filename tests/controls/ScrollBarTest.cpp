#include "controls/ScrollBar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ControlTestSupport.h"

using namespace controltest;

namespace {

const std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
const std::int64_t highest = std::numeric_limits<std::int64_t>::max();

// A window's rectangle in its parent's client coordinates, as the system has it.
RECT placed(Window* w)
{
    RECT r;
    GetWindowRect(w->handle(), &r);
    MapWindowPoints(nullptr, GetParent(w->handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void send(Window* w, UINT message, WPARAM flags, int x, int y)
{
    SendMessageA(w->handle(), message, flags, MAKELPARAM(x, y));
}

// Grabs the thumb at (5, 5), drags it by delta along the bar and lets go.
void drag(ScrollBar* bar, int delta)
{
    const int x = bar->isVertical() ? 5 : 5 + delta;
    const int y = bar->isVertical() ? 5 + delta : 5;
    send(bar->thumb(), WM_MOUSEMOVE, 0, 5, 5);
    send(bar->thumb(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    send(bar->thumb(), WM_MOUSEMOVE, MK_LBUTTON, x, y);
    send(bar->thumb(), WM_LBUTTONUP, 0, x, y);
}

void countScroll(int* calls, ScrollBar*) { ++*calls; }

// A vertical bar of 20 x 134 with the inherited border of 3: its arrows are
// 14 x 14 and leave a track of 100 pixels from y = 17.
class ScrollBarTest : public testing::Test {
protected:
    std::unique_ptr<Window, void (*)(Window*)> host = makeHost();
    ScrollBar* bar = new ScrollBar(host.get(), 1, 10, 10, 20, 134, DockNone);
};
using ScrollBarRange = ScrollBarTest;
using ScrollBarMouse = ScrollBarTest;

}  // namespace

TEST_F(ScrollBarRange, SettersKeepTheInvariantAndHideTheThumbWhenAllIsVisibleShownOrNot)
{
    bar->setRange(0, 10, 20, 5);
    EXPECT_EQ(10, bar->pageSize());
    EXPECT_EQ(0, bar->position());
    EXPECT_FALSE(IsWindowVisible(bar->thumb()->handle()));
    EXPECT_FALSE(IsWindowEnabled(bar->firstArrow()->handle()));
    EXPECT_FALSE(IsWindowEnabled(bar->secondArrow()->handle()));
    bar->setRange(0, 100, 10, 95);
    EXPECT_EQ(90, bar->position());
    EXPECT_TRUE(IsWindowVisible(bar->thumb()->handle()));
    EXPECT_TRUE(IsWindowEnabled(bar->secondArrow()->handle()));
    bar->setRange(50, 0, -5, -1);
    EXPECT_EQ(50, bar->maximum());
    EXPECT_EQ(0, bar->pageSize()) << "a negative page";
    bar->setRange(0, 100, 10, 0);
    bar->setPageSize(200);
    EXPECT_EQ(100, bar->pageSize());
    bar->setRange(0, 100, 10, 0);
    bar->enable(0);
    EXPECT_FALSE(IsWindowVisible(bar->thumb()->handle()));
    bar->enable(1);
    EXPECT_TRUE(IsWindowVisible(bar->thumb()->handle()));

    int calls = 0;
    bar->addScrollListener(&calls, countScroll);
    bar->scrollTo(0);
    EXPECT_EQ(0, calls) << "scrolling to the position it has";
    SendMessageA(bar->thumb()->handle(), WM_KEYDOWN, VK_DOWN, 1);
    SendMessageA(bar->thumb()->handle(), WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(11, bar->position());
    EXPECT_EQ(2, calls);
    EXPECT_EQ(0, bar->removeScrollListener(&calls, countScroll));
    EXPECT_EQ(1, bar->removeScrollListener(&calls, countScroll));

    // The thumb follows the range while the window is hidden.
    host->show(0);
    bar->setRange(0, 100, 10, 0);
    bar->setRange(0, 10, 20, 0);
    host->show(1);
    EXPECT_FALSE(IsWindowVisible(bar->thumb()->handle())) << "a range no larger than the page";
    host->show(0);
    bar->setRange(0, 100, 10, 0);
    host->show(1);
    EXPECT_TRUE(IsWindowVisible(bar->thumb()->handle()));
}

TEST_F(ScrollBarRange, ThumbIsSizedAndPlacedFromTheRangeInBothOrientations)
{
    ScrollBar* across = new ScrollBar(host.get(), 0, 40, 10, 134, 20, DockNone);
    for (ScrollBar* b : {bar, across}) {
        SCOPED_TRACE(b->isVertical() ? "vertical" : "horizontal");
        auto lead = [b]() { return b->isVertical() ? placed(b->thumb()).top : placed(b->thumb()).left; };
        auto length = [b]() {
            const RECT r = placed(b->thumb());
            return b->isVertical() ? r.bottom - r.top : r.right - r.left;
        };
        b->setRange(0, 110, 10, 0);
        EXPECT_EQ(9, length()) << "100 x 10 / 110";
        EXPECT_EQ(17, lead());
        b->setRange(0, 1000, 10, 0);
        EXPECT_EQ(2 * b->borderWidth(), length());
        b->setRange(0, 5000000000LL, 1000000000LL, 2000000000LL);
        EXPECT_EQ(5000000000LL, b->maximum());
        EXPECT_EQ(2000000000LL, b->position());
        EXPECT_EQ(20, length());
        EXPECT_EQ(17 + 40, lead()) << "(100 - 20) x 2e9 / 4e9";
    }
}

TEST_F(ScrollBarMouse, DraggingRoundsToTheStepAndNeverOverflows)
{
    // The thumb of 10 pixels leaves 90 to drag over 90 units: one unit a pixel.
    bar->setRange(0, 100, 10, 0);
    bar->setStep(3);
    drag(bar, 4);
    EXPECT_EQ(6, bar->position()) << "4 rounded up to whole steps";
    bar->setRange(0, 100, 10, 50);
    drag(bar, -5);
    EXPECT_EQ(47, bar->position()) << "backwards, the division truncates towards zero";
    bar->setStep(-3);
    bar->setRange(0, 100, 10, 50);
    drag(bar, 4);
    EXPECT_EQ(44, bar->position()) << "a negative step turns the direction";
    bar->setStep(0);
    drag(bar, 4);
    EXPECT_EQ(48, bar->position());

    bar->setStep(1);
    bar->setRange(lowest, highest, 1, lowest);
    // Track 128 - 28 - 6 = 94 pixels for 2^64 - 2 units: half of it is 2^63 - 1.
    drag(bar, 47);
    EXPECT_EQ(-1, bar->position());
    drag(bar, 5000);
    EXPECT_EQ(highest - 1, bar->position());
    drag(bar, -5000);
    EXPECT_EQ(lowest, bar->position());
    bar->setRange(lowest, highest, highest, 0);
    SendMessageA(bar->secondArrow()->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(bar->secondArrow()->handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(0, bar->position()) << "already at maximum - page";
}

TEST_F(ScrollBarMouse, HeldArrowRepeatsAndStopsAtTheEndAndHeldTrackPagesToThePointer)
{
    bar->setRange(0, 100, 10, 0);
    send(bar->secondArrow(), WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
    pumpFor(1000);
    send(bar->secondArrow(), WM_LBUTTONUP, 0, 3, 3);
    const std::int64_t held = bar->position();
    EXPECT_GE(held, 8) << "press, 500 ms, then every 50 ms: about 12, fewer on a loaded machine";
    EXPECT_LE(held, 13);
    pumpFor(150);
    EXPECT_EQ(held, bar->position());
    bar->setRange(0, 20, 10, 5);
    send(bar->secondArrow(), WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
    pumpFor(800);
    send(bar->secondArrow(), WM_LBUTTONUP, 0, 3, 3);
    EXPECT_EQ(10, bar->position());

    // A held track pages until the thumb reaches the pointer.
    bar->setRange(0, 100, 10, 0);
    send(bar, WM_LBUTTONDOWN, MK_LBUTTON, 8, 60);
    EXPECT_EQ(10, bar->position());
    pumpFor(300);
    EXPECT_EQ(10, bar->position()) << "the first repeat comes after 500 ms";
    pumpFor(1000);
    EXPECT_EQ(40, bar->position());
    const RECT thumb = placed(bar->thumb());
    EXPECT_TRUE(thumb.top <= 60 && 60 < thumb.bottom);
    send(bar, WM_MOUSEMOVE, MK_LBUTTON, 8, 75);
    pumpFor(350);
    EXPECT_EQ(50, bar->position()) << "the track point follows the pointer";
    send(bar, WM_LBUTTONUP, 0, 8, 75);
    pumpFor(150);
    EXPECT_EQ(50, bar->position());
}

TEST_F(ScrollBarMouse, DeletedWhilePagingLeavesNoCaptureAndNoTimer)
{
    bar->setRange(0, 100, 10, 0);
    send(bar, WM_LBUTTONDOWN, MK_LBUTTON, 8, 120);
    ASSERT_EQ(bar->handle(), GetCapture());
    delete bar;
    EXPECT_EQ(nullptr, GetCapture());
    pumpFor(700);
}
