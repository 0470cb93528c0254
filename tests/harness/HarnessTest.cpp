// The test helpers themselves, against the real system calls they observe.
#include "tests/support/DebugOutputCapture.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/Sandbox.h"
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

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

// Captions are laid out with the metrics of their fonts: the system font and
// Arial (the window's font). The test command names the font that Arial must
// resolve to in its prefix and runs this check before the suite.
TEST(HarnessFonts, SystemFontAndArialAreTheOnesTheTestCommandNames)
{
    const char* expected = std::getenv("T5_ARIAL_FONT");
    if (expected == nullptr)
        GTEST_SKIP() << "T5_ARIAL_FONT is not set";
    HDC dc = CreateCompatibleDC(nullptr);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, LF_FACESIZE, face);
    EXPECT_STREQ("System", face) << "the stock system font";
    HFONT arial = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ previous = SelectObject(dc, arial);
    std::vector<char> metrics(GetOutlineTextMetricsA(dc, 0, nullptr));
    auto* outline = reinterpret_cast<OUTLINETEXTMETRICA*>(metrics.data());
    const bool outlined = !metrics.empty() && GetOutlineTextMetricsA(dc, UINT(metrics.size()), outline) != 0;
    SelectObject(dc, previous);
    DeleteObject(arial);
    DeleteDC(dc);
    ASSERT_TRUE(outlined) << "Arial resolves to a font without outlines";
    // The face name read from the font file: Wine reports a replaced font under the name asked for.
    EXPECT_STREQ(expected, metrics.data() + reinterpret_cast<uintptr_t>(outline->otmpFaceName));
}

}  // namespace
