#include "controls/Button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "controls/Label.h"
#include "toolkit/Application.h"

using namespace controltest;

namespace {

const DWORD childStyle = WS_CHILD | WS_VISIBLE;

struct Recorder {
    std::vector<std::string> calls;
    int clicks = 0;
    int presses = 0;
    int states = 0;
};

void countClick(Recorder* r, Button*) { ++r->clicks; r->calls.push_back("click"); }
void countPress(Recorder* r, Button*) { ++r->presses; }
void countState(Recorder* r, Button*) { ++r->states; }
void first(Recorder* r, Button*) { r->calls.push_back("first"); }
void second(Recorder* r, Button*) { r->calls.push_back("second"); }

Button* makeButton(Window* parent, Recorder& recorder, int x = 10)
{
    Button* button = new Button("OK", parent, x, 10, 60, 24, childStyle | WS_TABSTOP);
    button->addClickListener(&recorder, countClick);
    button->addPressListener(&recorder, countPress);
    button->addStateListener(&recorder, countState);
    return button;
}

void click(Button& button)
{
    SendMessageA(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    SendMessageA(button.handle(), WM_LBUTTONUP, 0, point(5, 5));
}

void key(Button& button, WPARAM code)
{
    SendMessageA(button.handle(), WM_KEYDOWN, code, 1);
    SendMessageA(button.handle(), WM_KEYUP, code, static_cast<LPARAM>(0xC0000001u));
}

// Pixels of a mark in the square at (x, y): '#' where the mark colour is expected.
void expectMark(RgbBitmap& canvas, int x, int y, COLORREF colour, const std::vector<std::string>& rows)
{
    for (size_t j = 0; j < rows.size(); ++j)
        for (size_t i = 0; i < rows[j].size(); ++i) {
            const bool inked = GetPixel(canvas.dc(), x + static_cast<int>(i), y + static_cast<int>(j)) == colour;
            EXPECT_EQ(rows[j][i] == '#', inked) << "pixel " << i << ", " << j;
        }
}

}  // namespace

TEST(ButtonClick, PushButtonClicksButNeverStaysDown)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = makeButton(host.get(), recorder);
    SendMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    EXPECT_EQ(1, button->isPressed());
    EXPECT_EQ(BorderSunken, button->borderStyle());
    SendMessageA(button->handle(), WM_LBUTTONUP, 0, point(5, 5));
    EXPECT_EQ(1, recorder.clicks);
    EXPECT_EQ(0, button->isChecked());
    EXPECT_EQ(0, button->isPressed());
    EXPECT_EQ(BorderRaised, button->borderStyle());
    EXPECT_EQ(0, recorder.states);
    EXPECT_EQ(button->handle(), GetFocus());
}

TEST(ButtonClick, ReleaseOutsideIsNoClickUnlessThePointerCameBack)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = makeButton(host.get(), recorder);
    SendMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    ASSERT_EQ(button->handle(), GetCapture());
    SendMessageA(button->handle(), WM_MOUSEMOVE, MK_LBUTTON, point(100, 5));
    EXPECT_EQ(0, button->isPressed());
    EXPECT_EQ(BorderRaised, button->borderStyle());
    SendMessageA(button->handle(), WM_LBUTTONUP, 0, point(100, 5));
    EXPECT_EQ(0, recorder.clicks);

    SendMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    SendMessageA(button->handle(), WM_MOUSEMOVE, MK_LBUTTON, point(-3, 5));
    SendMessageA(button->handle(), WM_MOUSEMOVE, MK_LBUTTON, point(6, 6));
    EXPECT_EQ(1, button->isPressed());
    SendMessageA(button->handle(), WM_LBUTTONUP, 0, point(6, 6));
    EXPECT_EQ(1, recorder.clicks);

    button->setPressable(0);
    click(*button);
    EXPECT_EQ(1, recorder.clicks);
}

TEST(ButtonClick, HoldingRepeatsPressesThenClicksOnce)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = makeButton(host.get(), recorder);
    SendMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    pumpFor(1000);
    SendMessageA(button->handle(), WM_LBUTTONUP, 0, point(5, 5));
    const int held = recorder.presses;
    EXPECT_GE(held, 9);
    EXPECT_LE(held, 13);
    EXPECT_EQ(1, recorder.clicks);
    pumpFor(150);
    EXPECT_EQ(held, recorder.presses) << "the repeat timer outlived the release";
}

TEST(ButtonClick, CommandIdEndsTheModalLoopOfTheParent)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = makeButton(host.get(), recorder);
    button->setCommandId(7);
    PostMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    PostMessageA(button->handle(), WM_LBUTTONUP, 0, point(5, 5));
    EXPECT_EQ(7, host->runModal());
    EXPECT_EQ(1, recorder.clicks);
}

TEST(ButtonGroup, RadioButtonsKeepExactlyOneChecked)
{
    auto host = makeHost();
    Recorder recorder;
    Button* radios[3];
    for (int i = 0; i < 3; ++i) {
        radios[i] = makeButton(host.get(), recorder, 10 + 70 * i);
        radios[i]->setGroup(5);
    }
    click(*radios[0]);
    EXPECT_EQ(1, radios[0]->isChecked());
    EXPECT_EQ(BorderSunken, radios[0]->borderStyle());
    click(*radios[2]);
    EXPECT_EQ(0, radios[0]->isChecked());
    EXPECT_EQ(1, radios[2]->isChecked());
    click(*radios[2]);
    EXPECT_EQ(1, radios[2]->isChecked());
    EXPECT_EQ(0, radios[2]->setChecked(0));
    EXPECT_EQ(1, radios[2]->isChecked());
    radios[1]->setChecked(1);
    EXPECT_EQ(0, radios[2]->isChecked());
    EXPECT_EQ(0, radios[0]->isChecked());
}

TEST(ButtonGroup, MayUncheckSpreadsToTheGroupAndAllowsAnEmptyGroup)
{
    auto host = makeHost();
    Recorder recorder;
    Button* a = makeButton(host.get(), recorder, 10);
    Button* b = makeButton(host.get(), recorder, 80);
    Button* other = makeButton(host.get(), recorder, 150);
    a->setGroup(5);
    b->setGroup(5);
    other->setGroup(6);
    b->setMayUncheck(1);
    EXPECT_EQ(1, a->mayUncheck());
    EXPECT_EQ(0, other->mayUncheck());
    click(*a);
    EXPECT_EQ(1, a->isChecked());
    click(*a);
    EXPECT_EQ(0, a->isChecked());
    EXPECT_EQ(0, b->isChecked());
    EXPECT_EQ(2, recorder.states);
}

TEST(ButtonGroup, CheckBoxTogglesOnClickEnterAndSpaceRelease)
{
    auto host = makeHost();
    Recorder recorder;
    Button* box = new Button("", host.get(), 10, 40, 16, 16, childStyle | WS_TABSTOP);
    box->addClickListener(&recorder, countClick);
    box->setMarkStyle(MarkCheckBox);
    box->setGroup(1);
    box->setMayUncheck(1);
    EXPECT_EQ(1, box->borderWidth());
    click(*box);
    EXPECT_EQ(1, box->isChecked());
    key(*box, VK_RETURN);
    EXPECT_EQ(0, box->isChecked());
    SendMessageA(box->handle(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(0, box->isChecked());
    EXPECT_EQ(1, box->isPressed());
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
    Label* label = new Label("depends", host.get(), 10, 50, 0, 0, childStyle);
    box->setDependent(label);
    EXPECT_FALSE(IsWindowEnabled(label->handle()));
    box->setChecked(1);
    EXPECT_TRUE(IsWindowEnabled(label->handle()));
    click(*box);
    EXPECT_FALSE(IsWindowEnabled(label->handle()));
    delete label;
    click(*box);
    EXPECT_EQ(1, box->isChecked());
}

TEST(ButtonListeners, NewestRunFirstAndRemovalReportsWhetherFound)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = new Button("OK", host.get(), 10, 10, 60, 24, childStyle);
    button->addClickListener(&recorder, first);
    button->addClickListener(&recorder, second);
    click(*button);
    ASSERT_EQ(2u, recorder.calls.size());
    EXPECT_EQ("second", recorder.calls[0]);
    EXPECT_EQ("first", recorder.calls[1]);
    EXPECT_EQ(0, button->removeClickListener(&recorder, second));
    EXPECT_EQ(1, button->removeClickListener(&recorder, second));
    click(*button);
    EXPECT_EQ(3u, recorder.calls.size());
}

namespace {

struct SelfRemover {
    Recorder* recorder;
    Button* button;
};
void removeItself(SelfRemover* s, Button* b)
{
    s->recorder->calls.push_back("remover");
    b->removeClickListener(s, removeItself);
}
void deleteButton(SelfRemover* s, Button* b)
{
    s->recorder->calls.push_back("deleter");
    delete b;
}

}  // namespace

TEST(ButtonListeners, ListenerMayRemoveItselfOrDeleteItsButtonDuringTheWalk)
{
    auto host = makeHost();
    Recorder recorder;
    Button* button = new Button("OK", host.get(), 10, 10, 60, 24, childStyle);
    SelfRemover remover = {&recorder, button};
    button->addClickListener(&recorder, countClick);
    button->addClickListener(&remover, removeItself);
    click(*button);
    click(*button);
    EXPECT_EQ((std::vector<std::string>{"remover", "click", "click"}), recorder.calls);

    button->addClickListener(&remover, deleteButton);
    const HWND handle = button->handle();
    click(*button);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ("deleter", recorder.calls.back());
}

TEST(ButtonMarks, TrianglesAndBarArePaintedPixelByPixel)
{
    auto host = makeHost();
    Button* button = new Button("", host.get(), 0, 0, 20, 20, childStyle);
    const COLORREF green = RGB(0, 255, 0);
    button->setMarkColour(green);
    button->setMarkSize(5);
    button->setMarkAlignment(0x11);
    button->setMarkStyle(MarkTriangleDown);
    ASSERT_EQ(green, penColour(button->markPen()));
    expectMark(*paint(*button), 2, 2, green,
               {".......", ".#####.", ".#####.", "..###..", "..###..", "...#...", "......."});
    // A line leaves out its end pixel, so the first row of the side-pointing
    // triangles, drawn from a point to itself, stays empty.
    button->setMarkStyle(MarkTriangleRight);
    expectMark(*paint(*button), 2, 2, green,
               {".......", ".......", ".##....", ".####..", ".##....", ".......", "......."});
    button->setMarkStyle(MarkTriangleLeft);
    expectMark(*paint(*button), 2, 2, green,
               {".......", ".......", "....##.", "..####.", "....##.", ".......", "......."});
    button->setMarkSize(6);
    button->setMarkStyle(MarkBar);
    expectMark(*paint(*button), 2, 2, green,
               {"........", ".######.", ".######.", "........"});
    button->setMarkOffset(2, 1);
    expectMark(*paint(*button), 4, 3, green, {"........", ".######.", ".######.", "........"});
}

TEST(ButtonMarks, DisabledMarksUseTheDisabledTextColourAndDownShiftsThem)
{
    auto host = makeHost();
    Button* button = new Button("", host.get(), 0, 0, 20, 20, childStyle);
    button->setMarkColour(RGB(0, 255, 0));
    button->setMarkSize(5);
    button->setMarkAlignment(0x11);
    button->setMarkStyle(MarkTriangleUp);
    button->enable(0);
    const std::vector<std::string> up = {".......", "...#...", "..###..", "..###..", ".#####.", ".#####.", "......."};
    expectMark(*paint(*button), 2, 2, button->disabledTextColour(), up);
    button->enable(1);
    button->setGroup(1);
    button->setChecked(1);
    expectMark(*paint(*button), 3, 3, RGB(0, 255, 0), up);
}

TEST(ButtonMarks, CheckBoxAndCrossLeaveTheContextAsTheyFoundIt)
{
    auto host = makeHost();
    Button* box = new Button("", host.get(), 0, 0, 16, 16, childStyle);
    box->setMarkStyle(MarkCheckBox);
    box->setGroup(1);
    paint(*box);
    box->setChecked(1);
    auto checked = paint(*box);
    box->enable(0);
    auto disabled = paint(*box);
    int differing = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            differing += GetPixel(checked->dc(), x, y) != GetPixel(disabled->dc(), x, y);
    EXPECT_EQ(0, differing) << "a disabled check box draws the same frame control";
    box->setMarkStyle(MarkCross);
    paint(*box);
    SetFocus(box->handle());
    Button* focused = new Button("Focus", host.get(), 20, 0, 60, 30, childStyle | WS_TABSTOP);
    SetFocus(focused->handle());
    auto frame = paint(*focused);
    EXPECT_EQ(penColour(focused->darkDotPen()), GetPixel(frame->dc(), 30, 3));
}
