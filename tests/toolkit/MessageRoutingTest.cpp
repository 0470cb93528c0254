#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

namespace {

struct Events {
    std::vector<std::string> seen;
    std::vector<int> notches;
    bool stopWheel = false;
};

void swallowX(Events* e, Window* source, WPARAM* key, LPARAM)
{
    e->seen.push_back(std::string("preview:") + (source->getText().cStr()));
    if (*key == 'X')
        *key = 0;
}

void keyDown(Events* e, Window*, WPARAM key, LPARAM) { e->seen.push_back(std::string("down:") + char(key)); }

void escaped(Events* e, Window* w) { e->seen.push_back(std::string("escape:") + w->getText().cStr()); }

void wheel(Events* e, Window* source, int notches, int, int* passOn)
{
    e->notches.push_back(notches);
    e->seen.push_back(std::string("wheel from ") + source->getText().cStr());
    if (e->stopWheel)
        *passOn = 0;
}

struct Reflecting : Window {
    WPARAM command = 0;
    const NMHDR* notified = nullptr;
    Reflecting(Window* parent) : Window("r", WS_CHILD | WS_VISIBLE, 0, 0, 0, 10, 10, parent->handle()) {}
    LRESULT onCommand(WPARAM wparam) override
    {
        command = wparam;
        return 11;
    }
    LRESULT onNotify(NMHDR* header) override
    {
        notified = header;
        return 12;
    }
};

WPARAM wheelDelta(int delta)
{
    return MAKEWPARAM(MK_CONTROL, static_cast<WORD>(static_cast<short>(delta)));
}

}

TEST(KeyRouting, TopLevelPreviewSwallowsAKeyAndEscapeReachesTheNearestPopup)
{
    Events events;
    Window* owner = topLevel();
    Window* popup = new Window("popup", WS_POPUP | WS_VISIBLE, WS_EX_NOPARENTNOTIFY, 0, 0, 80, 80, owner->handle());
    Window* box = child(popup);
    Window* field = child(box);
    field->setText("field");
    popup->addKeyPreviewListener(&events, swallowX);
    field->addKeyDownListener(&events, keyDown);
    SendMessageA(field->handle(), WM_KEYDOWN, 'X', 0);
    SendMessageA(field->handle(), WM_KEYDOWN, 'Y', 0);
    EXPECT_EQ((std::vector<std::string>{"preview:field", "preview:field", "down:Y"}), events.seen);

    events.seen.clear();
    owner->addEscapeListener(&events, escaped);
    popup->addEscapeListener(&events, escaped);
    field->addEscapeListener(&events, escaped);
    SendMessageA(field->handle(), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_TRUE(events.seen.empty()) << "TKM_ESCAPE is posted";
    pump();
    EXPECT_EQ(std::vector<std::string>{"escape:popup"}, events.seen);
    delete popup;
    delete owner;
}

TEST(Reflection, CommandAndNotifyReachTheControlThatSentThem)
{
    Window* top = topLevel();
    Reflecting* control = new Reflecting(top);
    EXPECT_EQ(11, SendMessageA(top->handle(), WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(control->handle())));
    EXPECT_EQ(MAKEWPARAM(5, BN_CLICKED), control->command);
    control->command = 0;
    EXPECT_EQ(0, SendMessageA(top->handle(), WM_COMMAND, 9, 0));
    EXPECT_EQ(0u, control->command) << "a menu command (lparam 0) is not reflected";
    NMHDR header = {control->handle(), 3, 4};
    EXPECT_EQ(12, SendMessageA(top->handle(), WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(&header, control->notified);
    delete top;
}

TEST(MouseWheel, NotchesTruncateTowardsZeroAndBubbleOneLevelPerPostedMessage)
{
    Events inner;
    Events outer;
    Events top;
    Window* t = topLevel();
    Window* box = child(t);
    Window* field = child(box);
    field->setText("field");
    field->addMouseWheelListener(&inner, wheel);
    box->addMouseWheelListener(&outer, wheel);
    t->addMouseWheelListener(&top, wheel);
    inner.stopWheel = true;
    for (int delta : {240, -120, 60, 119, -119, -360})
        SendMessageA(field->handle(), WM_MOUSEWHEEL, wheelDelta(delta), 0);
    EXPECT_EQ((std::vector<int>{2, -1, 0, 0, 0, -3}), inner.notches) << "zero notches are still delivered";
    inner.stopWheel = false;
    outer.stopWheel = true;
    SendMessageA(field->handle(), WM_MOUSEWHEEL, wheelDelta(-240), 0);
    EXPECT_TRUE(outer.seen.empty());
    pump();
    EXPECT_EQ(std::vector<std::string>{"wheel from field"}, outer.seen);
    EXPECT_EQ(std::vector<int>{-2}, outer.notches);
    EXPECT_TRUE(top.seen.empty());
    delete t;
}

TEST(ChildColouring, ControlColourMessagesUseTheControlsLooks)
{
    Window* top = topLevel();
    Window* control = child(top);
    control->setFaceColour(0x112233);
    control->setTextColour(0x445566);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ brushBefore = GetCurrentObject(dc, OBJ_BRUSH);
    const LRESULT brush = SendMessageA(top->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control->handle()));
    EXPECT_EQ(reinterpret_cast<LRESULT>(control->faceBrush()), brush);
    EXPECT_EQ(0x445566u, GetTextColor(dc));
    EXPECT_EQ(0x112233u, GetBkColor(dc));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetCurrentObject(dc, OBJ_BRUSH));
    // The brush stays selected for the control's painting: harmless in a common
    // DC, reset when released, but a DC of the class's own would keep it.
    EXPECT_EQ(0u, GetClassLongPtrA(control->handle(), GCL_STYLE) & (CS_OWNDC | CS_CLASSDC));
    control->enable(0);
    SendMessageA(top->handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control->handle()));
    EXPECT_EQ(0x808080u, GetTextColor(dc));
    SelectObject(dc, brushBefore);
    DeleteDC(dc);
    delete top;
}
