#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

namespace {

struct Dialog {
    Window* owner = topLevel();
    Window* popup = new Window("dialog", WS_POPUP, WS_EX_NOPARENTNOTIFY, 20, 20, 80, 60, owner->handle());
    Window* box = child(popup);
    Window* button = child(box);
    ~Dialog() { delete owner; }
};

int ownerEnabledDuringLoop = -1;

void quitApplication(Window*, Window*, UINT_PTR)
{
    application.quit();
}

void endFromGrandchild(Window* grandchild, Window*, UINT_PTR)
{
    HWND owner = GetWindow(GetAncestor(grandchild->handle(), GA_ROOT), GW_OWNER);
    ownerEnabledDuringLoop = IsWindowEnabled(owner) ? 1 : 0;
    SendMessageA(grandchild->handle(), TKM_ENDMODAL, 7, 0);
}

}

TEST(ModalLoop, EndsOnCloseOnEndModalFromAGrandchildOnWmQuitAndWhenTheDialogIsDestroyed)
{
    Dialog d;
    PostMessageA(d.popup->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(-1, d.popup->runModal());
    EXPECT_TRUE(IsWindow(d.popup->handle())) << "closing ends the loop but keeps the window";
    EXPECT_FALSE(IsWindowVisible(d.popup->handle()));
    EXPECT_EQ(static_cast<Component*>(d.popup), Component::fromHandle(d.popup->handle()));

    d.popup->addTimerListener(d.button, endFromGrandchild);
    PostMessageA(d.button->handle(), TKM_ENDMODAL, 0, 0);
    PostMessageA(d.popup->handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(7, d.popup->runModal()) << "a result of 0 does not end the loop";
    EXPECT_EQ(0, ownerEnabledDuringLoop);
    EXPECT_TRUE(IsWindowEnabled(d.owner->handle()));
    EXPECT_FALSE(IsWindowVisible(d.popup->handle()));
    EXPECT_EQ(0, d.popup->isModal());
    d.popup->removeListeners(d.button);

    PostQuitMessage(9);
    EXPECT_EQ(-1, d.popup->runModal());
    MSG quit = {};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT is posted again for the main loop";
    EXPECT_EQ(9u, quit.wParam);

    // Destroying the dialog during the loop ends it too.
    struct Destroyer : Window {
        Destroyer(HWND owner) : Window("x", WS_POPUP, WS_EX_NOPARENTNOTIFY, 0, 0, 9, 9, owner) {}
        void onTimer(UINT_PTR) override { DestroyWindow(handle()); }
    };
    Destroyer* dialog = new Destroyer(d.owner->handle());
    PostMessageA(dialog->handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(-1, dialog->runModal());
    EXPECT_TRUE(IsWindowEnabled(d.owner->handle()));
}

// The quit flag never goes back to 0, so this runs in a process of its own.
TEST(ModalLoop, QuitFlagChild)
{
    if (!isChild())
        GTEST_SKIP() << "runs only as the child of QuitFlagEndsTheLoop";
    Dialog d;
    d.popup->addTimerListener(d.popup, quitApplication);
    PostMessageA(d.popup->handle(), WM_TIMER, 1, 0);
    const int result = d.popup->runModal();
    OutputDebugStringA((std::to_string(result) + (IsWindowVisible(d.popup->handle()) ? " visible" : " hidden")).c_str());
}

TEST(ModalLoop, QuitFlagEndsTheLoop)
{
    EXPECT_TRUE(runChild(modulePath(), "toolkit_tests --gtest_filter=ModalLoop.QuitFlagChild").wrote("0 hidden"));
}
