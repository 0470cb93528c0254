#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tests/support/DebugOutputCapture.h"
#include "tests/toolkit/WindowTesting.h"
#include "toolkit/ClassTags.h"

#include <cstdint>

using namespace windowtesting;

namespace {

// Counts destructor runs so that a double delete or a missing one shows.
int destroyed = 0;

struct CountedWindow : Window {
    CountedWindow(HWND parent, DWORD style) : Window("counted", style, 0, 0, 0, 30, 30, parent) {}
    ~CountedWindow() override { ++destroyed; }
};

// A component without Window's dispatcher, like a notifier window.
struct Bare : Component {
    Bare() : Component("bare", WS_POPUP, 0, 0, 0, 1, 1, nullptr) {}
    ~Bare() override { ++destroyed; }
};

}

TEST(ComponentBinding, FromHandleFindsToolkitObjectsAndRejectsOthers)
{
    Window* w = topLevel();
    EXPECT_EQ(static_cast<Component*>(w), Component::fromHandle(w->handle()));
    EXPECT_EQ(ClassTag::Window, Component::fromHandle(w->handle())->classTag());
    Bare* bare = new Bare;
    EXPECT_EQ(ClassTag::Component, Component::fromHandle(bare->handle())->classTag());
    delete bare;

    // A tooltip subclasses the window it shows tips for.
    w->setTooltipText("tip");
    EXPECT_EQ(static_cast<Component*>(w), Component::fromHandle(w->handle())) << "subclassed toolkit window";

    HWND plain = CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(nullptr, Component::fromHandle(plain)) << "user data 0";
    // Bytes that look like a toolkit object: a table pointer, then a toolkit tag.
    const std::uintptr_t lookalike[2] = {0, ClassTag::Window};
    SetWindowLongPtrA(plain, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(lookalike));
    EXPECT_EQ(nullptr, Component::fromHandle(plain)) << "user data pointing at a toolkit tag in foreign bytes";
    SetWindowLongPtrA(plain, GWLP_USERDATA, 0x10);
    EXPECT_EQ(nullptr, Component::fromHandle(plain)) << "unreadable user data";
    DestroyWindow(plain);
    delete w;
}

TEST(ComponentLifetime, DeletingTheObjectOrDestroyingTheWindowEndsBothAndTheChildrenOnce)
{
    for (bool viaObject : { true, false }) {
        destroyed = 0;
        CountedWindow* top = new CountedWindow(nullptr, WS_POPUP | WS_VISIBLE);
        CountedWindow* a = new CountedWindow(top->handle(), WS_CHILD | WS_VISIBLE);
        new CountedWindow(a->handle(), WS_CHILD | WS_VISIBLE);
        Bare* bare = new Bare;
        if (viaObject) {
            delete top;
            delete bare;
        } else {
            DestroyWindow(top->handle());
            DestroyWindow(bare->handle());
        }
        EXPECT_EQ(4, destroyed) << viaObject;
        EXPECT_EQ(0, liveComponentWindows()) << viaObject;
    }
}

TEST(ComponentLifetime, ManyWindowsWithChildrenLeaveNothingBehind)
{
    for (int i = 0; i < 300; ++i) {
        Window* top = topLevel(WS_POPUP);
        Window* middle = child(top);
        child(middle);
        child(top);
        if (i % 2)
            delete top;
        else
            DestroyWindow(top->handle());
    }
    pump();
    EXPECT_EQ(0, liveComponentWindows());
    EXPECT_EQ(0, gdiCacheCount(application.penList()));
    EXPECT_EQ(0, gdiCacheCount(application.dotPenList()));
    EXPECT_EQ(0, gdiCacheCount(application.brushList()));
}

TEST(ComponentAttach, TakesOverAForeignWindowAndGivesItBackOnDelete)
{
    Window* top = topLevel();
    Window* w = child(top);
    HWND own = w->handle();
    HWND edit = CreateWindowExA(0, "EDIT", "hello", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top->handle(),
                                nullptr, nullptr, nullptr);
    w->attachHandle(edit);
    EXPECT_FALSE(IsWindow(own));
    EXPECT_EQ(edit, w->handle());
    EXPECT_EQ(static_cast<Component*>(w), Component::fromHandle(edit));
    EXPECT_EQ(String("hello"), w->getText()) << "unhandled messages reach the edit's own procedure";
    delete w;
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(nullptr, top->firstChild());
    delete top;
}

TEST(ComponentException, EscapingExceptionIsTracedAndGetsDefaultProcessing)
{
    struct Throwing : Window {
        Throwing() : Window("thrower", WS_POPUP, 0, 0, 0, 10, 10, nullptr) {}
        void onTimer(UINT_PTR) override { throw 42; }
    };
    Throwing* w = new Throwing;
    testsupport::DebugOutputCapture capture;
    SendMessageA(w->handle(), WM_TIMER, 7, 0);
    ASSERT_EQ(1u, capture.writes().size());
    EXPECT_EQ("Exception escaped the handler of message 0x0113\n", capture.writes()[0]);
    EXPECT_TRUE(IsWindow(w->handle()));
    delete w;
}

// What a window leaves behind when it goes or gives up its handle: owned popups and tooltip tools.
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
