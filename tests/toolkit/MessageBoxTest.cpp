#include <gtest/gtest.h>

#include <string>

#include "tests/support/MessageBoxCapture.h"
#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

TEST(WindowMessageBox, ShowsOnTheTopLevelWindowWithTheGivenCaption)
{
    const auto top = ownedTopLevel();
    Window* c = child(top.get());
    testsupport::MessageBoxCapture capture;
    capture.setAnswer(IDCANCEL);
    EXPECT_EQ(IDCANCEL, c->messageBox("Key not found !", MB_OKCANCEL, "Title"));
    ASSERT_EQ(1u, capture.boxes().size());
    EXPECT_EQ("Title", capture.boxes()[0].caption);
    EXPECT_EQ("Key not found !", capture.boxes()[0].text);
}

// Runs in a copy of this program named my.setup.exe (see the next test).
TEST(WindowMessageBox, CaptionChildProcess)
{
    if (!isChild())
        GTEST_SKIP() << "runs only as the child of DefaultCaptionIsTheFileNameUpToItsFirstDot";
    Window* top = topLevel();
    testsupport::MessageBoxCapture capture;
    top->messageBox("hello", MB_OK);
    if (!capture.boxes().empty())
        OutputDebugStringA(("caption=" + capture.boxes()[0].caption).c_str());
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
    const ChildRun run = runChild(program, "my.setup --gtest_filter=WindowMessageBox.CaptionChildProcess");
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(run.wrote("caption=my"));
}
