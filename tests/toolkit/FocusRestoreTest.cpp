// Where the focus comes back to after a minimise, and which way Tab goes by the real state of Shift.
#include <gtest/gtest.h>

#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

TEST(FocusMemory, MinimiseAndRestoreGiveTheFocusBackToTheSameChild)
{
    Window* top = topLevel();
    child(top);
    Window* second = child(top, 30);
    SetActiveWindow(top->handle());
    SetFocus(second->handle());
    // What Windows sends on a minimise (Wine without a window manager sends
    // nothing): deactivation flagged as minimised, then the focus goes nowhere.
    SendMessageA(top->handle(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, TRUE), 0);
    SetFocus(nullptr);
    EXPECT_EQ(second, top->focusedChild()) << "a minimise counted as an activation wipes the focus memory";
    // The restore: activation, whose default processing gives the window the focus.
    SendMessageA(top->handle(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, FALSE), 0);
    EXPECT_EQ(second->handle(), GetFocus());
    delete top;
}

TEST(TabNavigation, GoesBackwardsOnlyWhileShiftIsDown)
{
    Window* top = topLevel();
    Window* a = child(top);
    Window* b = child(top, 30);
    Window* c = child(top, 60);
    SetActiveWindow(top->handle());
    SetFocus(b->handle());
    // Shift released while Alt is held arrives as WM_SYSKEYUP.
    SendMessageA(b->handle(), WM_KEYDOWN, VK_SHIFT, 0);
    SendMessageA(b->handle(), WM_SYSKEYUP, VK_SHIFT, static_cast<LPARAM>(0xE0000001u));
    SendMessageA(b->handle(), WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(c->handle(), GetFocus());
    setShiftState(true);
    SendMessageA(c->handle(), WM_CHAR, VK_TAB, 0);
    SendMessageA(b->handle(), WM_CHAR, VK_TAB, 0);
    setShiftState(false);
    EXPECT_EQ(a->handle(), GetFocus());
    delete top;
}
