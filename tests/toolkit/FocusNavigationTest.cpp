#include <gtest/gtest.h>

#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

namespace {

void typeTab(bool shift)
{
    setShiftState(shift);
    SendMessageA(GetFocus(), WM_CHAR, VK_TAB, 0);
    setShiftState(false);
}

// A popup dialog: a, then a container holding b, a hidden c and d, then a
// disabled e, a non-tab-stop f and g.
struct Dialog {
    Window* popup = topLevel();
    Window* a = child(popup);
    Window* box = child(popup, 0, 0, 100, 40, WS_CHILD | WS_VISIBLE);
    Window* b = child(box);
    Window* c = child(box, 0, 0, 20, 20, WS_CHILD | WS_TABSTOP);
    Window* d = child(box);
    Window* e = child(popup, 0, 0, 20, 20, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED);
    Window* f = child(popup, 0, 0, 20, 20, WS_CHILD | WS_VISIBLE);
    Window* g = child(popup);
    ~Dialog() { delete popup; }
};

}

TEST(ChildrenRing, WalksBothWaysAndStopsAtTheEnds)
{
    Window* top = topLevel();
    Window* a = child(top);
    Window* b = child(top);
    Window* c = child(top);
    EXPECT_EQ(a, top->nextChild(nullptr, 0));
    EXPECT_EQ(c, top->nextChild(nullptr, 1));
    EXPECT_EQ(b, top->nextChild(a, 0));
    EXPECT_EQ(nullptr, top->nextChild(c, 0));
    EXPECT_EQ(nullptr, top->nextChild(a, 1));
    EXPECT_EQ(nullptr, a->nextChild(b, 0)) << "b is not a's child";
    top->rememberChild(b);
    delete b;
    EXPECT_EQ(nullptr, top->focusedChild());
    EXPECT_EQ(c, top->nextChild(a, 0));
    DestroyWindow(a->handle());
    EXPECT_EQ(c, top->firstChild()) << "a child destroyed by the system leaves the ring";
    EXPECT_EQ(nullptr, top->nextChild(c, 1));
    delete c;
    EXPECT_EQ(nullptr, top->firstChild());
    delete top;
}

TEST(ChildrenRing, ChildAddedArrivesAfterTheCurrentMessage)
{
    struct Parent : Window {
        Window* added = nullptr;
        Parent() : Window("p", WS_POPUP, 0, 0, 0, 50, 50, nullptr) {}
        void onChildAdded(Window* c) override { added = c; }
    };
    Parent* p = new Parent;
    Window* c = child(p);
    EXPECT_EQ(nullptr, p->added);
    pump();
    EXPECT_EQ(c, p->added);
    Window* gone = child(p);
    delete gone;
    p->added = nullptr;
    pump();
    EXPECT_EQ(nullptr, p->added) << "a child deleted before the message arrived is not reported";
    delete p;
}

TEST(TabNavigation, SkipsHiddenDisabledAndNonTabStopWindowsAndWrapsInAPopupBothWays)
{
    Dialog dialog;
    ASSERT_EQ(1, dialog.popup->takeFocus(0));
    EXPECT_EQ(dialog.a->handle(), GetFocus());
    for (const Window* w : {dialog.b, dialog.d, dialog.g, dialog.a, dialog.b}) {
        typeTab(false);
        EXPECT_EQ(w->handle(), GetFocus());
    }
    EXPECT_EQ(dialog.box, dialog.popup->focusedChild());
    EXPECT_EQ(dialog.b, dialog.box->focusedChild());
    for (const Window* w : {dialog.a, dialog.g, dialog.d, dialog.b, dialog.a, dialog.g}) {
        typeTab(true);
        EXPECT_EQ(w->handle(), GetFocus());
    }
    EXPECT_EQ(0, Window::shiftHeld());
    dialog.box->show(0);
    typeTab(false);
    EXPECT_EQ(dialog.a->handle(), GetFocus()) << "controls of a hidden container are skipped";
    typeTab(false);
    EXPECT_EQ(dialog.g->handle(), GetFocus());
}

TEST(FocusMemory, FocusReturnsToTheRememberedDescendant)
{
    Dialog dialog;
    Window* other = topLevel();
    SetFocus(dialog.d->handle());
    EXPECT_EQ(dialog.box, dialog.popup->focusedChild());
    EXPECT_EQ(dialog.d, dialog.box->focusedChild());
    SetFocus(other->handle());
    // Activation hands the focus to the window itself, which passes it down.
    SetActiveWindow(dialog.popup->handle());
    EXPECT_EQ(dialog.d->handle(), GetFocus());
    delete other;
}

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
