#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "foundation/String.h"
#include "tests/support/StringText.h"
#include "toolkit/CommandLine.h"

namespace {

std::vector<std::string> tokens(const char* text)
{
    std::vector<std::string> all;
    String token;
    for (text = nextToken(text, token); token.length() > 0; text = nextToken(text, token))
        all.push_back(testsupport::text(token));
    return all;
}

using Tokens = std::vector<std::string>;

}  // namespace

TEST(CommandLineTokens, SeparatorsQuotedRunsAndEmptyLines)
{
    // Outside quotes control and high bytes separate like spaces; a missing closing quote ends the text.
    const struct { const char* line; Tokens expected; } cases[] = {
        { "prog.exe \"\" \"a b\" c\"d e\"f", { "prog.exe", "a b", "cd ef" } },
        { "a\"b c\"d", { "ab cd" } },
        { "\t ab\xE9" "cd\x01", { "ab", "cd" } },
        { "\"ab\xE9" "cd\"", { "ab\xE9" "cd" } },
        { "C:\\dir\\ x", { "C:\\dir\\", "x" } },
        { "\"open", { "open" } },
        { "", {} },
        { "   \"\"  ", {} },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, tokens(c.line)) << c.line;
        EXPECT_EQ(std::max<int>(1, static_cast<int>(c.expected.size())), commandLineTokenCount(c.line)) << c.line;
        for (size_t i = 0; i <= c.expected.size(); ++i)
            EXPECT_EQ(i < c.expected.size() ? c.expected[i] : "", commandLineToken(c.line, static_cast<int>(i)).cStr())
                << c.line << " #" << i;
    }
    EXPECT_EQ(1, commandLineTokenCount(nullptr));
}

TEST(CommandLineTokens, TokensNeverPassTheLimit)
{
    const std::string word(5000, 'w');
    EXPECT_EQ(Tokens({ word.substr(0, 4095), word.substr(4095) }), tokens(word.c_str()));

    const std::string exact = "\"" + std::string(4095, 'q') + "\" next";
    EXPECT_EQ(Tokens({ std::string(4095, 'q'), "next" }), tokens(exact.c_str()));

    // The rest of an overlong quoted run is dropped, so the arguments after it keep their meaning.
    const std::string quoted = "\"" + std::string(4000, 'q') + " " + std::string(200, 'r') + "\"tail \"x y\"";
    EXPECT_EQ(Tokens({ std::string(4000, 'q') + " " + std::string(94, 'r'), "tail", "x y" }),
        tokens(quoted.c_str()));
}

// Random bytes placed against an inaccessible page: a read past the terminator faults.
TEST(CommandLineTokens, RandomBytesEndWithoutReadingPastTheText)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const SIZE_T page = system.dwPageSize;
    char* block =
        static_cast<char*>(VirtualAlloc(nullptr, 4 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, block);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(block + 3 * page, page, PAGE_NOACCESS, &old));
    std::mt19937 random(20261206);
    for (int round = 0; round < 3000; ++round) {
        const size_t length = random() % (3 * page);
        char* text = block + 3 * page - length - 1;
        for (size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>(random() % 255 + 1);
        if (round % 3 == 0)
            std::memset(text, round % 2 ? '"' : 'x', length / 2);
        text[length] = '\0';
        String token;
        const char* position = text;
        for (size_t taken = 0; taken <= length; ++taken) {
            position = nextToken(position, token);
            ASSERT_LE(token.length(), maxTokenLength);
            ASSERT_LE(position, text + length);
            if (token.length() == 0)
                break;
        }
        ASSERT_EQ(0, token.length()) << "no end after as many tokens as bytes";
    }
    VirtualFree(block, 0, MEM_RELEASE);
}
