// What the test command promises the suite: the throwaway Wine prefix and its fonts.
#include "tests/support/Sandbox.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

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
