// The test helpers themselves, against the real system calls they observe.
#include "tests/support/DebugOutputCapture.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/Sandbox.h"
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(HarnessDebugOutput, CapturesEachWriteExactlyAndStopsWhenDestroyed)
{
    {
        testsupport::DebugOutputCapture capture;
        OutputDebugStringA("first line\n");
        OutputDebugStringA("second");
        ASSERT_EQ(capture.writes().size(), 2u);
        EXPECT_EQ(capture.writes()[0], "first line\n");
        EXPECT_EQ(capture.text(), "first line\nsecond");
    }
    testsupport::DebugOutputCapture later;
    EXPECT_TRUE(later.writes().empty());
}

TEST(HarnessMessageBox, ReadsCaptionAndTextAndPressesOk)
{
    testsupport::MessageBoxCapture capture;
    const int answer = MessageBoxA(nullptr, "Line one\nC:\\path\\file.dll", "Caption", MB_OK);
    EXPECT_EQ(answer, IDOK);
    ASSERT_EQ(capture.boxes().size(), 1u);
    EXPECT_EQ(capture.boxes()[0].caption, "Caption");
    EXPECT_EQ(capture.boxes()[0].text, "Line one\nC:\\path\\file.dll");
}

TEST(HarnessScratchFolder, IsUniqueAndRemovedWithReadOnlyContent)
{
    std::string kept;
    {
        testsupport::ScratchFolder first;
        testsupport::ScratchFolder second;
        EXPECT_NE(first.path(), second.path());
        ASSERT_TRUE(first.writeFile("a\\b\\c.txt", "data"));
        SetFileAttributesA(first.join("a\\b\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        kept = first.path();
        EXPECT_NE(GetFileAttributesA(kept.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(GetFileAttributesA(kept.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(HarnessSandbox, TestCommandRunsUnderWine)
{
    // The suite is only meaningful in the throwaway prefix; elsewhere this reports it.
    if (!testsupport::isWine())
        GTEST_SKIP() << "not under Wine";
    EXPECT_TRUE(testsupport::systemChangesAllowed());
}

}  // namespace
