#include "foundation/StringList.h"

#include "tests/support/ScratchFolder.h"
#include "tests/support/StringText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> contents(const StringList& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.count(); ++i)
        texts.push_back(testsupport::text(list.item(i)));
    return texts;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using Lines = std::vector<std::string>;

} // namespace

TEST(StringListAdd, PlacesByIndexAndStaysInside)
{
    StringList list;
    list.add("b", -1);
    list.add("a", 0);
    list.add("d", 99);
    list.add("c", 2);
    EXPECT_EQ(contents(list), Lines({"a", "b", "c", "d"}));
    EXPECT_EQ(list.item(4).length(), 0);
    EXPECT_EQ(list.item(-1).length(), 0);
}

TEST(StringListAdd, FullListDropsTheCopy)
{
    StringList list;
    String filler("x");
    for (int i = 0; i < 262144; ++i)
        list.add(filler, -1);
    String extra("extra");
    list.add(extra, -1);
    list.add(extra, 0);
    EXPECT_EQ(list.count(), 262144);
    EXPECT_EQ(extra.referenceCount(), 1);
    EXPECT_EQ(filler.referenceCount(), 262145);
}

TEST(StringListOwnership, RemoveClearAndDestroyReleaseTheStrings)
{
    String kept("kept");
    String copied;
    {
        StringList list;
        list.add(kept, -1);
        list.add(kept, -1);
        list.add("other", -1);
        EXPECT_EQ(kept.referenceCount(), 3);
        copied = list.item(2);
        EXPECT_EQ(list.removeAt(0), nullptr);
        EXPECT_EQ(kept.referenceCount(), 2);
        list.removeAt(3);
        EXPECT_EQ(list.count(), 2);
    }
    EXPECT_EQ(kept.referenceCount(), 1);
    EXPECT_EQ(std::string(copied.cStr()), "other");
    EXPECT_EQ(copied.referenceCount(), 1);
}

// std::string compares bytes as unsigned, so it orders capitals before small letters, 0xE9 last
// and a text before every longer one that begins with it ("12" before "123" and "12A").
TEST(StringListOrder, SortsByBytes)
{
    StringList list;
    Lines expected = {"b", "abc", "a", "B", "\xE9", "ab", "c", ""};
    const char* endings[] = {"", "A", "\xE9"};
    for (int i = 0; i < 5000; ++i)
        expected.push_back(std::to_string(i * 7919 % 1000) + endings[i % 3]);
    for (const std::string& text : expected)
        list.add(text.c_str(), -1);
    list.sort();
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(contents(list), expected);
}

TEST(StringListOrder, InsertSortedAndFindPrefix)
{
    StringList list;
    for (const char* text : {"delta", "alpha", "charlie", "bravo", "alpha"})
        list.insertSorted(text);
    EXPECT_EQ(contents(list), Lines({"alpha", "alpha", "bravo", "charlie", "delta"}));
    EXPECT_EQ(list.item(list.findPrefix("cha", 3)).length(), 7);
    EXPECT_EQ(list.findPrefix("delta", 5), 4);
    EXPECT_EQ(list.findPrefix("echo", 4), -1);
    EXPECT_EQ(list.findPrefix("b", 1), 2);
    EXPECT_EQ(StringList().findPrefix("a", 1), -1);
}

TEST(StringListFile, LoadSplitsAtEveryKindOfBreak)
{
    testsupport::ScratchFolder folder;
    const std::pair<std::string, Lines> cases[] = {
        {"a\r\nb\n\rc", {"a", "b", "", "c"}},
        {"a\n", {"a"}},
        {"\r\n\r\n\n", {"", "", ""}},
        {std::string("ab\0cd\r\nef", 9), {std::string("ab\0\0\0", 5), "ef"}},
    };
    StringList list;
    for (const auto& entry : cases) {
        ASSERT_TRUE(folder.writeFile("lines.txt", entry.first));
        EXPECT_TRUE(list.load(folder.join("lines.txt").c_str()));
        EXPECT_EQ(contents(list), entry.second);
    }
    EXPECT_EQ(std::string(list.item(0).cStr()), "ab");
}

TEST(StringListFile, LoadFailsEmptyOnWhatIsNoTextFile)
{
    testsupport::ScratchFolder folder;
    ASSERT_TRUE(folder.writeFile("empty.txt", ""));
    ASSERT_TRUE(folder.makeFolder("sub"));
    StringList list;
    for (const char* name : {"missing.txt", "empty.txt", "sub"}) {
        list.add("stale", -1);
        EXPECT_FALSE(list.load(folder.join(name).c_str())) << name;
        EXPECT_EQ(list.count(), 0) << name;
    }
}

TEST(StringListFile, SaveRoundTripsAndFailsCleanly)
{
    testsupport::ScratchFolder folder;
    StringList list;
    for (const char* text : {"first", "", "third", ""})
        list.add(text, -1);
    const std::string path = folder.join("list.txt");
    ASSERT_TRUE(list.save(path.c_str()));
    EXPECT_EQ(readFile(path), "first\r\n\r\nthird\r\n\r\n");
    StringList loaded;
    ASSERT_TRUE(loaded.load(path.c_str()));
    EXPECT_EQ(contents(loaded), contents(list));

    ASSERT_TRUE(folder.makeFolder("sub"));
    EXPECT_FALSE(list.save(folder.join("sub").c_str()));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    list.add("more", -1);
    EXPECT_FALSE(list.save(path.c_str()));
    EXPECT_EQ(readFile(path), "first\r\n\r\nthird\r\n\r\n");
    EXPECT_EQ(contents(list), Lines({"first", "", "third", "", "more"}));

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(list.save(path.c_str()));
    EXPECT_FALSE(loaded.load(path.c_str()));
    EXPECT_EQ(loaded.count(), 0);
    CloseHandle(holder);
    EXPECT_EQ(readFile(path), "first\r\n\r\nthird\r\n\r\n");
}
