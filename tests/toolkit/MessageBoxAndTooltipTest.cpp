#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <string>

#include "tests/support/MessageBoxCapture.h"
#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

namespace {

// The flags the real tooltip window keeps for the tool.
UINT toolFlags(HWND tool)
{
    char text[80] = {};
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    if (!SendMessageA(application.tooltips().handle(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)))
        return 0;
    return info.uFlags;
}

}

TEST(WindowMessageBox, ShowsOnTheTopLevelWindowWithTheGivenCaption)
{
    Window* top = topLevel();
    Window* c = child(top);
    testsupport::MessageBoxCapture capture;
    capture.setAnswer(IDCANCEL);
    EXPECT_EQ(IDCANCEL, c->messageBox("Key not found !", MB_OKCANCEL, "Title"));
    ASSERT_EQ(1u, capture.boxes().size());
    EXPECT_EQ("Title", capture.boxes()[0].caption);
    EXPECT_EQ("Key not found !", capture.boxes()[0].text);
    delete top;
}

// Runs in a copy of this program named my.setup.exe (see the next test).
TEST(WindowMessageBox, CaptionChildProcess)
{
    if (!childOutput())
        GTEST_SKIP() << "runs only as the child of DefaultCaptionIsTheFileNameUpToItsFirstDot";
    Window* top = topLevel();
    testsupport::MessageBoxCapture capture;
    top->messageBox("hello", MB_OK);
    std::ofstream(childOutput()) << (capture.boxes().empty() ? std::string("<no box>") : capture.boxes()[0].caption);
    delete top;
}

TEST(WindowMessageBox, DefaultCaptionIsTheFileNameUpToItsFirstDot)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "t5-caption-" + std::to_string(GetCurrentProcessId());
    const std::string program = folder + "\\my.setup.exe";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(modulePath().c_str(), program.c_str(), FALSE));
    const std::string caption = runChildTest(program, "my.setup", "WindowMessageBox.CaptionChildProcess");
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_EQ("my", caption);
}

TEST(WindowTooltip, SetTextRegistersOnceAndReadsBackThroughTheTooltipWindow)
{
    Window* w = topLevel();
    Window* tracked = topLevel();
    HWND tips = application.tooltips().handle();
    const LRESULT before = SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
    w->setTooltipText("first");
    w->setTooltipText("second");
    tracked->registerTooltip(1);
    EXPECT_EQ(1, w->isTooltipRegistered());
    EXPECT_EQ(before + 2, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    char text[80] = {};
    w->getTooltipText(text, sizeof text);
    EXPECT_STREQ("second", text);
    EXPECT_EQ(0x11u, toolFlags(w->handle()));
    EXPECT_EQ(0x31u, toolFlags(tracked->handle()));
    delete tracked;
    DestroyWindow(w->handle());
    EXPECT_EQ(before, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0)) << "tools of destroyed windows stay behind";
}
