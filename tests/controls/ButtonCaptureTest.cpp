// A held button that loses the mouse capture lets go as a release outside would.
#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "controls/Button.h"

using namespace controltest;

namespace {

struct Counts {
    int presses = 0;
    int clicks = 0;
};

void countPress(Counts* c, Button*) { ++c->presses; }
void countClick(Counts* c, Button*) { ++c->clicks; }

}  // namespace

TEST(ButtonCapture, LosingTheCaptureEndsThePressWithoutAClick)
{
    auto host = makeHost();
    const char* ways[] = {"another window takes the capture", "WM_CANCELMODE", "the button is disabled"};
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(ways[way]);
        Counts counts;
        Button* button = new Button("Hold", host.get(), 10, 10, 60, 24, WS_CHILD | WS_VISIBLE);
        button->addPressListener(&counts, countPress);
        button->addClickListener(&counts, countClick);
        SendMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ASSERT_EQ(button->handle(), GetCapture());
        if (way == 0)
            SetCapture(host->handle());
        else if (way == 1)
            SendMessageA(button->handle(), WM_CANCELMODE, 0, 0);
        else
            button->enable(0);
        EXPECT_NE(button->handle(), GetCapture());
        EXPECT_EQ(0, button->isPressed());
        EXPECT_EQ(BorderRaised, button->borderStyle());
        const int held = counts.presses;
        pumpFor(700);
        EXPECT_EQ(held, counts.presses) << "the repeat timer went on pressing with nothing held";
        SendMessageA(button->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(0, counts.clicks);
        ReleaseCapture();
        delete button;
    }
}
