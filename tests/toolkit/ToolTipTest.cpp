#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "toolkit/ToolTip.h"

namespace {

// A tool window, then a tooltip of its own, destroyed first and taking its tools with it.
struct ToolTipWindow : testing::Test {
    HWND tool = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ToolTip tips;
    char text[100] = {};

    ~ToolTipWindow() override
    {
        DestroyWindow(tool);
    }

    TTTOOLINFOA readBack()
    {
        TTTOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = text;
        SendMessageA(tips.handle(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
};

}  // namespace

TEST_F(ToolTipWindow, ToolIsRegisteredByHandleAndItsTextSetAndReadBack)
{
    std::strcpy(text, "unchanged");
    EXPECT_NE(0, tips.addTool(tool, TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_EQ(1, SendMessageA(tips.handle(), TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(1024, SendMessageA(tips.handle(), TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS), readBack().uFlags & 0x31);
    EXPECT_STREQ("", text);
    tips.setToolText(tool, "Removes the product");
    tips.getToolText(tool, text, sizeof text);
    EXPECT_STREQ("Removes the product", text);
}

TEST_F(ToolTipWindow, ReadingIntoASmallBufferStopsAtItsEnd)
{
    tips.addTool(tool, TTF_IDISHWND | TTF_SUBCLASS);
    tips.setToolText(tool, "A rather long tip text that does not fit");
    std::memset(text, '#', sizeof text);
    tips.getToolText(tool, text, 8);
    EXPECT_STREQ("A rathe", text);
    EXPECT_EQ('#', text[8]);
}

TEST_F(ToolTipWindow, TrackingToolTakesItsTextByCallbackUntilOneIsSet)
{
    tips.addTool(tool, TTF_IDISHWND | TTF_SUBCLASS | TTF_TRACK);
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, readBack().lpszText);
    tips.setToolText(tool, "Tracked");
    tips.getToolText(tool, text, sizeof text);
    EXPECT_STREQ("Tracked", text);
}

TEST_F(ToolTipWindow, RemovedToolIsForgottenAndOthersKeepTheirText)
{
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    tips.addTool(other, TTF_IDISHWND | TTF_SUBCLASS);
    tips.setToolText(other, "kept");
    tips.addTool(tool, TTF_IDISHWND | TTF_SUBCLASS);
    tips.removeTool(tool);
    EXPECT_EQ(1, SendMessageA(tips.handle(), TTM_GETTOOLCOUNT, 0, 0));
    tips.getToolText(other, text, sizeof text);
    EXPECT_STREQ("kept", text);
    tips.removeTool(other);
    DestroyWindow(other);
}

TEST_F(ToolTipWindow, DelaysAreStored)
{
    tips.setAutoPopDelay(7000);
    tips.setInitialDelay(250);
    EXPECT_EQ(7000, SendMessageA(tips.handle(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    EXPECT_EQ(250, SendMessageA(tips.handle(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
}
