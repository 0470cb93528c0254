#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "foundation/String.h"
#include "toolkit/CommandLine.h"

namespace {

std::vector<std::string> tokens(const char* text)
{
    std::vector<std::string> all;
    String token;
    for (text = nextToken(text, token); token.length() > 0; text = nextToken(text, token))
        all.emplace_back(token.cStr(), static_cast<size_t>(token.length()));
    return all;
}

using Tokens = std::vector<std::string>;

}  // namespace

TEST(CommandLineTokens, QuotedRunsJoinWordsAndEmptyPairsAreSkipped)
{
    const char* line = "prog.exe \"\" \"a b\" c\"d e\"f";
    EXPECT_EQ(3, commandLineTokenCount(line));
    EXPECT_STREQ("a b", commandLineToken(line, 1).cStr());
    EXPECT_STREQ("cd ef", commandLineToken(line, 2).cStr());
    EXPECT_EQ(Tokens({ "prog.exe", "a b", "cd ef" }), tokens(line));
    EXPECT_EQ(Tokens({ "ab cd" }), tokens("a\"b c\"d"));
}

TEST(CommandLineTokens, SeparatorsIncludeControlAndHighBytes)
{
    EXPECT_EQ(Tokens({ "ab", "cd" }),
        tokens("\t ab\xE9"
               "cd\x01"));
    EXPECT_EQ(Tokens({ "ab\xE9"
                       "cd" }),
        tokens("\"ab\xE9"
               "cd\""));
    EXPECT_EQ(Tokens({ "C:\\dir\\", "x" }), tokens("C:\\dir\\ x"));
    EXPECT_EQ(Tokens({ "open" }), tokens("\"open"));
}

TEST(CommandLineTokens, MissingArgumentsAndEmptyLines)
{
    EXPECT_STREQ("", commandLineToken("prog one", 5).cStr());
    EXPECT_STREQ("one", commandLineToken("prog one", 1).cStr());
    EXPECT_EQ(1, commandLineTokenCount(""));
    EXPECT_EQ(1, commandLineTokenCount("   \"\"  "));
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
