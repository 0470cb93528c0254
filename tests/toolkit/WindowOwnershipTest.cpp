// What a window leaves behind when it goes or gives up its handle: owned popups and tooltip tools.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

TEST(OwnedPopup, GoesWithTheChildControlThatOwnsIt)
{
    Window* top = topLevel();
    Window* control = child(top);
    Window* popup = new Window("popup", WS_POPUP | WS_VISIBLE, WS_EX_NOPARENTNOTIFY, 0, 0, 50, 50, control->handle());
    ASSERT_EQ(control, popup->parent());
    EXPECT_EQ(top->handle(), GetWindow(popup->handle(), GW_OWNER)) << "the system's owner is the top-level window";
    const HWND handle = popup->handle();
    delete control;
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(Window::exists(popup)) << "the popup would keep pointing at its deleted parent";
    delete top;
    EXPECT_EQ(0, liveComponentWindows());
}

TEST(WindowTooltip, AttachTakesTheOldToolOffAndLaterTipsReachTheNewWindow)
{
    Window* w = topLevel();
    HWND tips = application.tooltips().handle();
    const LRESULT before = SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
    w->setTooltipText("old");
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    w->attachHandle(foreign);
    EXPECT_EQ(before, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    w->setTooltipText("new");
    char text[16] = {};
    w->getTooltipText(text, sizeof text);
    EXPECT_STREQ("new", text);
    delete w;
    EXPECT_EQ(before, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
}
