#include <gtest/gtest.h>

#include "toolkit/Application.h"

namespace {

// Each test runs its own Application: the quit flag of the global one never goes back to 0.
Application* target = nullptr;
int dispatched = 0;

// Counts application messages; WM_APP + 1 also quits.
LRESULT CALLBACK countingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP) {
        ++dispatched;
        if (message == WM_APP + 1)
            target->quit();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND countingWindow(Application& application)
{
    target = &application;
    dispatched = 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = countingProcedure;
    windowClass.lpszClassName = "T5CountingWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(
        0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
}

bool takeQueued(UINT message, WPARAM* wParam = nullptr)
{
    MSG found = {};
    const bool taken = PeekMessageA(&found, nullptr, message, message, PM_REMOVE) != 0;
    if (wParam != nullptr)
        *wParam = found.wParam;
    return taken;
}

}  // namespace

TEST(ApplicationLoop, RunEndsOnWmQuitOrRightAfterTheDispatchThatQuitsAndPumpIgnoresTheFlag)
{
    Application local;
    HWND window = countingWindow(local);
    PostMessageA(window, WM_APP, 0, 0);
    PostQuitMessage(5);
    EXPECT_EQ(0, local.run());
    EXPECT_EQ(1, dispatched);
    EXPECT_EQ(0, local.isQuitting()) << "WM_QUIT does not set the flag";

    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP + 1, 0, 0);
    PostMessageA(window, WM_APP + 2, 0, 0);
    EXPECT_EQ(1, local.run());
    EXPECT_EQ(3, dispatched);
    EXPECT_TRUE(takeQueued(WM_APP + 2)) << "the loop waited for another message";
    EXPECT_EQ(0, local.run()) << "a loop started after quit makes no GetMessageA call";

    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP, 0, 0);
    PostQuitMessage(3);
    EXPECT_EQ(0, local.pumpPending());
    EXPECT_EQ(5, dispatched);
    WPARAM exitCode = 0;
    EXPECT_TRUE(takeQueued(WM_QUIT, &exitCode)) << "a WM_QUIT taken by the pump was lost";
    EXPECT_EQ(3u, exitCode);
    EXPECT_EQ(0, local.pumpPending()) << "returns at once on an empty queue";
    DestroyWindow(window);
}

TEST(ApplicationObject, OwnsATopmostTooltipWindowAndTheModuleInstance)
{
    HWND tooltip = nullptr;
    {
        Application local;
        tooltip = local.tooltips().handle();
        char className[64] = {};
        GetClassNameA(tooltip, className, sizeof className);
        EXPECT_STREQ("tooltips_class32", className);
        EXPECT_EQ(0x80000043u, static_cast<DWORD>(GetWindowLongA(tooltip, GWL_STYLE)) & 0x80000043u);
        EXPECT_NE(0, GetWindowLongA(tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetModuleHandleA(nullptr), local.instance());
        local.setInstance(nullptr);
        EXPECT_EQ(GetModuleHandleA(nullptr), local.instance());
    }
    EXPECT_FALSE(IsWindow(tooltip));
}
