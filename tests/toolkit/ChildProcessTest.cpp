// Runs this test program again as a child, for behaviour seen only from outside:
// the leak report at process exit and the arguments of a program started under another name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/String.h"
#include "tests/toolkit/WindowTesting.h"

using namespace windowtesting;

namespace {

std::vector<std::string> leakLines(const std::vector<std::string>& output)
{
    std::vector<std::string> lines;
    const std::string prefix = "Undeleted graphics resource: ";
    for (const std::string& text : output) {
        if (text.rfind(prefix, 0) != 0)
            continue;
        // The child's handles are unknown here: check their form and leave them out.
        const size_t handle = text.find('=') + 1;
        const size_t colour = text.find(", color=");
        const std::string digits = text.substr(handle, colour - handle);
        const bool wellFormed = digits.size() > 1 && digits[0] == '0' &&
            digits.find_first_not_of("0123456789abcdef") == std::string::npos;
        lines.push_back(text.substr(prefix.size(), handle - prefix.size()) +
            (wellFormed ? "" : "<malformed handle>") + text.substr(colour));
    }
    return lines;
}

}  // namespace

// Runs only as the child of the test below, started as "toolkit_tests" without path or
// extension: checks its arguments and leaves objects in the cache for the exit report.
TEST(ApplicationExitChild, SeesItsArgumentsAndLeavesObjectsCached)
{
    if (std::getenv("T5_EXPECT_GDI_LEAKS") == nullptr)
        GTEST_SKIP() << "runs as the child of ApplicationExit.ReportsWhatIsStillCached...";
    EXPECT_EQ(modulePath(), application.argument(0).cStr());
    EXPECT_EQ(3, application.argumentCount());
    EXPECT_STREQ("--gtest_filter=ApplicationExitChild.*", application.argument(1).cStr());
    EXPECT_STREQ("two words", application.argument(2).cStr());
    EXPECT_STREQ("", application.argument(3).cStr());
    application.acquireBrush(0x111111);
    application.acquireDotPen(0x222222);
    application.acquireBrush(0x333333);
    application.acquirePen(0x444444);
    application.acquirePen(0x444444);
}

// The child's exit status says whether it saw its arguments taken from the real command line.
TEST(ApplicationExit, ReportsWhatIsStillCachedPensThenBrushesThenDottedPens)
{
    ChildRun run = runChild(modulePath(), "toolkit_tests --gtest_filter=ApplicationExitChild.* \"two words\"", "T5_EXPECT_GDI_LEAKS");
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(
        std::vector<std::string>({ "Pen=, color=0444444, refcount=2\n", "Brush=, color=0333333, refcount=1\n",
            "Brush=, color=0111111, refcount=1\n", "DotPen=, color=0222222, refcount=1\n" }),
        leakLines(run.debugOutput));
}
