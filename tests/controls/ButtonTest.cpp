#include "controls/Button.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "controls/Label.h"

using namespace controltest;

namespace {

struct Recorder {
    std::vector<std::string> calls;
    int clicks = 0, presses = 0, states = 0;
};

void countClick(Recorder* r, Button*) { ++r->clicks; r->calls.push_back("click"); }
void countPress(Recorder* r, Button*) { ++r->presses; }
void countState(Recorder* r, Button*) { ++r->states; }
void removeItself(Recorder* r, Button* b) { r->calls.push_back("remover"); b->removeClickListener(r, removeItself); }
void deleteButton(Recorder* r, Button* b) { r->calls.push_back("deleter"); delete b; }

void mouse(Button& button, UINT message, int x)
{
    SendMessageA(button.handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 5));
}

void click(Button& button)
{
    mouse(button, WM_LBUTTONDOWN, 5);
    mouse(button, WM_LBUTTONUP, 5);
}

// The w x h square at (x, y) as rows separated by spaces, '#' where it has the colour.
std::string markAt(RgbBitmap& canvas, int x, int y, int w, int h, COLORREF colour)
{
    std::string rows;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            rows += std::string(j && !i ? " " : "") + (at(canvas, x + i, y + j) == colour ? '#' : '.');
    return rows;
}

// A host window and a recorder; make() gives a listened button, with group 0 a push button.
class ButtonTest : public testing::Test {
protected:
    // Declared first so that it outlives the buttons, which go with the host.
    Recorder recorder;
    std::unique_ptr<Window, void (*)(Window*)> host = makeHost();

    Button* make(int group = 0, int x = 10)
    {
        Button* button = new Button("OK", host.get(), x, 10, 60, 24, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        button->addClickListener(&recorder, countClick);
        button->addPressListener(&recorder, countPress);
        button->addStateListener(&recorder, countState);
        button->setGroup(group);
        return button;
    }
};
using ButtonClick = ButtonTest;
using ButtonGroup = ButtonTest;
using ButtonListeners = ButtonTest;
using ButtonMarks = ButtonTest;

}  // namespace

TEST_F(ButtonClick, PushButtonIsDownOnlyWhilePressedInsideAndNeverStaysChecked)
{
    Button* button = make();
    // Pointer message, x, then the pressed state and click count expected after it.
    const int steps[][4] = {
        {WM_LBUTTONDOWN, 5, 1, 0},   {WM_LBUTTONUP, 5, 0, 1},                               // click
        {WM_LBUTTONDOWN, 5, 1, 1},   {WM_MOUSEMOVE, 100, 0, 1},  {WM_LBUTTONUP, 100, 0, 1}, // moved out
        {WM_LBUTTONDOWN, 5, 1, 1},   {WM_LBUTTONUP, 100, 0, 1},                             // released out
        {WM_LBUTTONDOWN, 5, 1, 1},   {WM_MOUSEMOVE, -3, 0, 1},   {WM_MOUSEMOVE, 6, 1, 1},
        {WM_LBUTTONUP, 6, 0, 2},                                                            // came back in
    };
    for (const auto& step : steps) {
        mouse(*button, step[0], step[1]);
        SCOPED_TRACE(testing::Message() << "message " << step[0] << " at " << step[1]);
        EXPECT_EQ(step[2], button->isPressed());
        EXPECT_EQ(step[2] ? BorderSunken : BorderRaised, button->borderStyle());
        EXPECT_EQ(step[3], recorder.clicks);
        EXPECT_EQ(0, button->isChecked());
    }
    EXPECT_EQ(button->handle(), GetFocus());
    EXPECT_EQ(0, recorder.states);
}

TEST_F(ButtonClick, HoldingRepeatsPressesThenClicksOnce)
{
    Button* button = make();
    mouse(*button, WM_LBUTTONDOWN, 5);
    pumpFor(1000);
    mouse(*button, WM_LBUTTONUP, 5);
    const int held = recorder.presses;
    EXPECT_GE(held, 8) << "press, 500 ms, then every 50 ms: about 12, fewer on a loaded machine";
    EXPECT_LE(held, 13);
    EXPECT_EQ(1, recorder.clicks);
    pumpFor(150);
    EXPECT_EQ(held, recorder.presses) << "the repeat timer outlived the release";
}

// A held button that loses the mouse capture lets go as a release outside would.
TEST_F(ButtonClick, LosingTheCaptureEndsThePressWithoutAClick)
{
    const char* ways[] = {"another window takes the capture", "WM_CANCELMODE", "the button is disabled"};
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(ways[way]);
        Button* button = make();
        mouse(*button, WM_LBUTTONDOWN, 5);
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
        const int held = recorder.presses;
        pumpFor(700);
        EXPECT_EQ(held, recorder.presses) << "the repeat timer went on pressing with nothing held";
        mouse(*button, WM_LBUTTONUP, 5);
        EXPECT_EQ(0, recorder.clicks);
        ReleaseCapture();
        delete button;
    }
}

TEST_F(ButtonClick, CommandIdEndsTheModalLoopOfTheParent)
{
    Button* button = make();
    button->setCommandId(7);
    PostMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageA(host->handle(), TKM_ENDMODAL, 99, 0);
    EXPECT_EQ(7, host->runModal());
    EXPECT_EQ(1, recorder.clicks);
}

TEST_F(ButtonGroup, RadioButtonsKeepOneCheckedUnlessTheGroupMayUncheck)
{
    Button* radios[] = {make(5, 10), make(5, 80), make(5, 150)};
    Button* stranger = make(6, 220);
    click(*radios[0]);
    click(*radios[2]);
    EXPECT_EQ(0, radios[0]->isChecked());
    EXPECT_EQ(1, radios[2]->isChecked());
    click(*radios[2]);
    EXPECT_EQ(1, radios[2]->isChecked());
    EXPECT_EQ(0, radios[2]->setChecked(0));

    radios[1]->setMayUncheck(1);
    EXPECT_EQ(1, radios[2]->mayUncheck());
    EXPECT_EQ(0, stranger->mayUncheck());
    click(*radios[2]);
    EXPECT_EQ(0, radios[0]->isChecked() + radios[1]->isChecked() + radios[2]->isChecked());
}

TEST_F(ButtonGroup, CheckBoxTogglesOnClickEnterAndSpaceReleaseAndEnablesItsDependent)
{
    Button* box = make(1);
    box->setMarkStyle(MarkCheckBox);
    box->setMayUncheck(1);
    Label* label = new Label("depends", host.get(), 10, 50, 0, 0, WS_CHILD | WS_VISIBLE);
    box->setDependent(label);
    auto expectChecked = [&](int checked) {
        EXPECT_EQ(checked, box->isChecked());
        EXPECT_EQ(checked != 0, IsWindowEnabled(label->handle()) != 0) << "dependent window";
    };
    expectChecked(0);
    click(*box);
    expectChecked(1);
    SendMessageA(box->handle(), WM_KEYDOWN, VK_RETURN, 1);
    expectChecked(0);
    SendMessageA(box->handle(), WM_KEYDOWN, VK_SPACE, 1);
    expectChecked(0);
    SendMessageA(box->handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
    expectChecked(1);
    EXPECT_EQ(3, recorder.clicks);
    delete label;
    click(*box);
    EXPECT_EQ(0, box->isChecked()) << "toggling after the dependent window went";
}

TEST_F(ButtonListeners, NewestFirstAndSafeAgainstRemovalOrDeletionMidWalk)
{
    Button* button = new Button("OK", host.get(), 10, 10, 60, 24, WS_CHILD | WS_VISIBLE);
    button->addClickListener(&recorder, countClick);
    button->addClickListener(&recorder, removeItself);
    click(*button);
    click(*button);
    EXPECT_EQ((std::vector<std::string>{"remover", "click", "click"}), recorder.calls);
    EXPECT_EQ(1, button->removeClickListener(&recorder, removeItself));
    button->addClickListener(&recorder, countClick);
    EXPECT_EQ(0, button->removeClickListener(&recorder, countClick));
    click(*button);
    EXPECT_EQ(4u, recorder.calls.size()) << "only the newest of two equal entries goes";
    EXPECT_EQ(0, button->removeClickListener(&recorder, countClick));

    button->addClickListener(&recorder, countClick);
    button->addClickListener(&recorder, deleteButton);
    const HWND handle = button->handle();
    click(*button);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ("deleter", recorder.calls.back());
}

TEST_F(ButtonMarks, SmallMarksArePaintedPixelByPixel)
{
    Button* button = new Button("", host.get(), 0, 0, 20, 20, WS_CHILD | WS_VISIBLE);
    const COLORREF green = RGB(0, 255, 0);
    button->setMarkColour(green);
    button->setMarkSize(5);
    button->setMarkAlignment(0x11);
    button->setMarkStyle(MarkTriangleDown);
    EXPECT_EQ("....... .#####. .#####. ..###.. ..###.. ...#... .......", markAt(*paint(*button), 2, 2, 7, 7, green));
    // A line leaves out its end pixel, so a side triangle's first row, drawn
    // from a point to itself, stays empty.
    button->setMarkStyle(MarkTriangleRight);
    EXPECT_EQ("....... ....... .##.... .####.. .##.... ....... .......", markAt(*paint(*button), 2, 2, 7, 7, green));
    button->setMarkStyle(MarkTriangleLeft);
    EXPECT_EQ("....... ....... ....##. ..####. ....##. ....... .......", markAt(*paint(*button), 2, 2, 7, 7, green));
    button->setMarkSize(6);
    button->setMarkStyle(MarkBar);
    button->setMarkOffset(2, 1);
    EXPECT_EQ("........ .######. .######. ........", markAt(*paint(*button), 4, 3, 8, 4, green));

    button->setMarkOffset(0, 0);
    button->setMarkSize(5);
    button->setMarkStyle(MarkTriangleUp);
    const std::string up = "....... ...#... ..###.. ..###.. .#####. .#####. .......";
    button->enable(0);
    EXPECT_EQ(up, markAt(*paint(*button), 2, 2, 7, 7, button->disabledTextColour()));
    button->enable(1);
    button->setGroup(1);
    button->setChecked(1);
    EXPECT_EQ(up, markAt(*paint(*button), 3, 3, 7, 7, green)) << "a checked button's mark moves with its face";
}
