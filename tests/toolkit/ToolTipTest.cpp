// Tooltips, checked through what the platform's tooltip window itself reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "tests/toolkit/WindowTesting.h"
#include "toolkit/ToolTip.h"

using namespace windowtesting;

namespace {

// The tooltip window's record of the tool registered by its window handle.
TTTOOLINFOA toolInfo(HWND tips, HWND tool, char* text)
{
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    if (!SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)))
        info.uFlags = 0;
    return info;
}

LRESULT toolCount(HWND tips)
{
    return SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
}

HWND staticWindow()
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(ToolTipTools, RegisteredSetReadBackAndRemovedThroughTheTooltipWindow)
{
    HWND tool = staticWindow();
    HWND other = staticWindow();
    HWND tracked = staticWindow();
    {
        ToolTip tips;
        char text[100] = "unchanged";
        EXPECT_NE(0, tips.addTool(tool, TTF_IDISHWND | TTF_SUBCLASS));
        EXPECT_EQ(1024, SendMessageA(tips.handle(), TTM_GETMAXTIPWIDTH, 0, 0));
        EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS), toolInfo(tips.handle(), tool, text).uFlags & 0x31);
        EXPECT_STREQ("", text);
        tips.setToolText(tool, "A rather long tip text that does not fit");
        std::memset(text, '#', sizeof text);
        tips.getToolText(tool, text, 8);
        EXPECT_STREQ("A rathe", text) << "reading stops at the end of a small buffer";
        EXPECT_EQ('#', text[8]);
        tips.getToolText(tool, text, sizeof text);
        EXPECT_STREQ("A rather long tip text that does not fit", text);

        tips.addTool(tracked, TTF_IDISHWND | TTF_SUBCLASS | TTF_TRACK);
        EXPECT_EQ(LPSTR_TEXTCALLBACKA, toolInfo(tips.handle(), tracked, text).lpszText)
            << "a tracking tool takes its text by callback until one is set";
        tips.setToolText(tracked, "Tracked");
        tips.getToolText(tracked, text, sizeof text);
        EXPECT_STREQ("Tracked", text);

        tips.addTool(other, TTF_IDISHWND | TTF_SUBCLASS);
        tips.setToolText(other, "kept");
        EXPECT_EQ(3, toolCount(tips.handle()));
        tips.removeTool(tool);
        tips.removeTool(tracked);
        EXPECT_EQ(1, toolCount(tips.handle()));
        tips.getToolText(other, text, sizeof text);
        EXPECT_STREQ("kept", text);

        tips.setAutoPopDelay(7000);
        tips.setInitialDelay(250);
        EXPECT_EQ(7000, SendMessageA(tips.handle(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
        EXPECT_EQ(250, SendMessageA(tips.handle(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    }
    DestroyWindow(tool);
    DestroyWindow(other);
    DestroyWindow(tracked);
}

TEST(WindowTooltip, SetTextRegistersOnceReadsBackFollowsAnAttachedHandleAndLeavesWithTheWindow)
{
    Window* w = topLevel();
    Window* tracked = topLevel();
    HWND tips = application.tooltips().handle();
    const LRESULT before = toolCount(tips);
    w->setTooltipText("first");
    w->setTooltipText("second");
    tracked->registerTooltip(1);
    EXPECT_EQ(before + 2, toolCount(tips));
    char text[80] = {};
    w->getTooltipText(text, sizeof text);
    EXPECT_STREQ("second", text);
    EXPECT_EQ(0x11u, toolInfo(tips, w->handle(), text).uFlags);
    EXPECT_EQ(0x31u, toolInfo(tips, tracked->handle(), text).uFlags);
    delete tracked;
    DestroyWindow(w->handle());
    EXPECT_EQ(before, toolCount(tips)) << "tools of destroyed windows stay behind";

    // Attaching a handle takes the old tool off; later tips reach the new window.
    Window* attached = topLevel();
    attached->setTooltipText("old");
    attached->attachHandle(staticWindow());
    EXPECT_EQ(before, toolCount(tips));
    attached->setTooltipText("new");
    attached->getTooltipText(text, sizeof text);
    EXPECT_STREQ("new", text);
    delete attached;
    EXPECT_EQ(before, toolCount(tips));
}
