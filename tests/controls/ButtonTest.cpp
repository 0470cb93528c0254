#include "controls/Button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "controls/Label.h"

using namespace controltest;

namespace {

const DWORD tabStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

struct Recorder {
    std::vector<std::string> calls;
    int clicks = 0;
    int presses = 0;
    int states = 0;
};

void countClick(Recorder* r, Button*) { ++r->clicks; r->calls.push_back("click"); }
void countPress(Recorder* r, Button*) { ++r->presses; }
void countState(Recorder* r, Button*) { ++r->states; }
void removeItself(Recorder* r, Button* b)
{
    r->calls.push_back("remover");
    b->removeClickListener(r, removeItself);
}
void deleteButton(Recorder* r, Button* b)
{
    r->calls.push_back("deleter");
    delete b;
}

Button* makeButton(Window* parent, Recorder& recorder, int x = 10)
{
    Button* button = new Button("OK", parent, x, 10, 60, 24, tabStyle);
    button->addClickListener(&recorder, countClick);
    button->addPressListener(&recorder, countPress);
    button->addStateListener(&recorder, countState);
    return button;
}

void mouse(Button& button, UINT message, int x)
{
    SendMessageA(button.handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, point(x, 5));
}

void click(Button& button)
{
    mouse(button, WM_LBUTTONDOWN, 5);
    mouse(button, WM_LBUTTONUP, 5);
}

// '#' where the mark colour is expected in the square whose top-left is (x, y).
void expectMark(RgbBitmap& canvas, int x, int y, COLORREF colour, const std::vector<std::string>& rows)
{
    for (size_t j = 0; j < rows.size(); ++j)
        for (size_t i = 0; i < rows[j].size(); ++i)
            EXPECT_EQ(rows[j][i] == '#', at(canvas, x + int(i), y + int(j)) == colour) << i << ", " << j;
}

}  // namespace

TEST(ButtonClick, PushButtonGoesDownWhileHeldAndNeverStaysChecked)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = makeButton(host.get(), recorder);
    mouse(*button, WM_LBUTTONDOWN, 5);
    EXPECT_EQ(1, button->isPressed());
    EXPECT_EQ(BorderSunken, button->borderStyle());
    EXPECT_EQ(button->handle(), GetFocus());
    mouse(*button, WM_LBUTTONUP, 5);
    EXPECT_EQ(1, recorder.clicks);
    EXPECT_EQ(0, button->isChecked());
    EXPECT_EQ(BorderRaised, button->borderStyle());
    EXPECT_EQ(0, recorder.states);
}

TEST(ButtonClick, ReleaseOutsideIsNoClickUnlessThePointerCameBack)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = makeButton(host.get(), recorder);
    mouse(*button, WM_LBUTTONDOWN, 5);
    mouse(*button, WM_MOUSEMOVE, 100);
    EXPECT_EQ(0, button->isPressed());
    mouse(*button, WM_LBUTTONUP, 100);
    mouse(*button, WM_LBUTTONDOWN, 5);
    mouse(*button, WM_LBUTTONUP, 100);
    EXPECT_EQ(0, recorder.clicks);

    mouse(*button, WM_LBUTTONDOWN, 5);
    mouse(*button, WM_MOUSEMOVE, -3);
    mouse(*button, WM_MOUSEMOVE, 6);
    EXPECT_EQ(1, button->isPressed());
    mouse(*button, WM_LBUTTONUP, 6);
    EXPECT_EQ(1, recorder.clicks);
}

TEST(ButtonClick, HoldingRepeatsPressesThenClicksOnce)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = makeButton(host.get(), recorder);
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

TEST(ButtonClick, CommandIdEndsTheModalLoopOfTheParent)
{
    auto host = makeHost();
    Recorder recorder;
    makeButton(host.get(), recorder)->setCommandId(7);
    PostMessageA(GetWindow(host->handle(), GW_CHILD), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    PostMessageA(GetWindow(host->handle(), GW_CHILD), WM_LBUTTONUP, 0, point(5, 5));
    PostMessageA(host->handle(), TKM_ENDMODAL, 99, 0);
    EXPECT_EQ(7, host->runModal());
    EXPECT_EQ(1, recorder.clicks);
}

TEST(ButtonGroup, RadioButtonsKeepOneCheckedUnlessTheGroupMayUncheck)
{
    auto host = makeHost();
    Recorder recorder;
    Button* radios[3];
    for (int i = 0; i < 3; ++i) {
        radios[i] = makeButton(host.get(), recorder, 10 + 70 * i);
        radios[i]->setGroup(5);
    }
    Button* stranger = makeButton(host.get(), recorder, 220);
    stranger->setGroup(6);
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
    EXPECT_EQ(0, radios[2]->isChecked());
    EXPECT_EQ(0, radios[0]->isChecked() + radios[1]->isChecked());
}

TEST(ButtonGroup, CheckBoxTogglesOnClickEnterAndSpaceRelease)
{
    auto host = makeHost();
    Recorder recorder;
    Button* box = makeButton(host.get(), recorder);
    box->setMarkStyle(MarkCheckBox);
    box->setGroup(1);
    box->setMayUncheck(1);
    click(*box);
    EXPECT_EQ(1, box->isChecked());
    SendMessageA(box->handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(0, box->isChecked());
    SendMessageA(box->handle(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(0, box->isChecked());
    SendMessageA(box->handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
    EXPECT_EQ(1, box->isChecked());
    EXPECT_EQ(3, recorder.clicks);
}

TEST(ButtonGroup, CheckingEnablesTheDependentWindow)
{
    auto host = makeHost();
    Recorder recorder;
    Button* box = makeButton(host.get(), recorder);
    box->setGroup(1);
    box->setMayUncheck(1);
    Label* label = new Label("depends", host.get(), 10, 50, 0, 0, WS_CHILD | WS_VISIBLE);
    box->setDependent(label);
    EXPECT_FALSE(IsWindowEnabled(label->handle()));
    click(*box);
    EXPECT_TRUE(IsWindowEnabled(label->handle()));
    click(*box);
    EXPECT_FALSE(IsWindowEnabled(label->handle()));
    delete label;
    click(*box);
    EXPECT_EQ(1, box->isChecked());
}

TEST(ButtonListeners, NewestFirstAndSafeAgainstRemovalOrDeletionMidWalk)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = new Button("OK", host.get(), 10, 10, 60, 24, tabStyle);
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

TEST(ButtonMarks, SmallMarksArePaintedPixelByPixel)
{
    auto host = makeHost();
    Button* button = new Button("", host.get(), 0, 0, 20, 20, WS_CHILD | WS_VISIBLE);
    const COLORREF green = RGB(0, 255, 0);
    button->setMarkColour(green);
    button->setMarkSize(5);
    button->setMarkAlignment(0x11);
    button->setMarkStyle(MarkTriangleDown);
    expectMark(*paint(*button), 2, 2, green, {".......", ".#####.", ".#####.", "..###..", "..###..", "...#...", "......."});
    // A line leaves out its end pixel, so a side triangle's first row, drawn
    // from a point to itself, stays empty.
    button->setMarkStyle(MarkTriangleRight);
    expectMark(*paint(*button), 2, 2, green, {".......", ".......", ".##....", ".####..", ".##....", ".......", "......."});
    button->setMarkStyle(MarkTriangleLeft);
    expectMark(*paint(*button), 2, 2, green, {".......", ".......", "....##.", "..####.", "....##.", ".......", "......."});
    button->setMarkSize(6);
    button->setMarkStyle(MarkBar);
    button->setMarkOffset(2, 1);
    expectMark(*paint(*button), 4, 3, green, {"........", ".######.", ".######.", "........"});

    button->setMarkOffset(0, 0);
    button->setMarkSize(5);
    button->setMarkStyle(MarkTriangleUp);
    const std::vector<std::string> up = {".......", "...#...", "..###..", "..###..", ".#####.", ".#####.", "......."};
    button->enable(0);
    expectMark(*paint(*button), 2, 2, button->disabledTextColour(), up);
    button->enable(1);
    button->setGroup(1);
    button->setChecked(1);
    expectMark(*paint(*button), 3, 3, green, up);
}
