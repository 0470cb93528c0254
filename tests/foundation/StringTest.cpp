#include "foundation/String.h"

#include "tests/support/StringText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <string>

using testsupport::text;

TEST(StringSharing, CopiesShareUntilWritten)
{
    String a("shared");
    String b(a);
    EXPECT_EQ(a.cStr(), b.cStr());
    EXPECT_EQ(a.referenceCount(), 2);
    b += "!";
    EXPECT_EQ(text(a), "shared");
    EXPECT_EQ(text(b), "shared!");
    EXPECT_EQ(a.referenceCount(), 1);

    String c("two");
    c = a;
    c = c;
    EXPECT_EQ(a.referenceCount(), 2);
    a = a.cStr() + 1;
    EXPECT_EQ(text(a), "hared");
    EXPECT_EQ(c.referenceCount(), 1);
    c += c;
    c += c.cStr() + 10;
    EXPECT_EQ(text(c), "sharedshareded");
}

TEST(StringSharing, MakeWritableDetachesOrResizesExactly)
{
    String a(100);
    a += "hello";
    String b(a);
    b.makeWritable(0);
    EXPECT_NE(a.cStr(), b.cStr());
    EXPECT_EQ(b.capacity(), 6);
    a.makeWritable(10);
    EXPECT_EQ(a.capacity(), 10);
    a.makeWritable(3);
    EXPECT_EQ(a.capacity(), 10);
    EXPECT_EQ(text(a), "hello");
}

TEST(StringSharing, FillIdiomEndsAtTheBuffer)
{
    String s(4);
    const UINT written = GetWindowsDirectoryA(s.cStr(), UINT(s.capacity()));
    ASSERT_GT(written, 0u);
    ASSERT_LT(written, UINT(s.capacity()));
    EXPECT_EQ(s.syncLength(), int(written));
    String full(0);
    std::memset(full.cStr(), 'x', size_t(full.capacity()));
    EXPECT_EQ(full.syncLength(), full.capacity() - 1);
}

TEST(StringBounds, AtAndMidStayInsideTheText)
{
    const char source[] = {'a', '\0', 'b', 'c'};
    String counted(source, 4);
    EXPECT_EQ(counted.length(), 4);
    EXPECT_EQ(std::string(counted.cStr(), 5), std::string("a\0\0\0\0", 5)) << "a counted copy stops at a NUL";
    EXPECT_EQ(String(-3).capacity(), String(0).capacity()) << "a negative size is no size";
    String s("abcdef");
    EXPECT_EQ(s.at(5), 'f');
    for (int index : {6, -1, INT_MAX, INT_MIN})
        EXPECT_EQ(s.at(index), '\0') << index;
    EXPECT_EQ(text(s.mid(2, 3)), "cde");
    EXPECT_EQ(text(s.mid(4, INT_MAX)), "ef");
    EXPECT_EQ(s.mid(6, 2).length(), 0);
    EXPECT_EQ(s.mid(-1, 3).length(), 0);
    EXPECT_EQ(s.mid(INT_MIN, INT_MAX).length(), 0);
    EXPECT_EQ(s.mid(1, -5).length(), 0);
}

// A negative start searches find's whole text but leaves findLast nothing to try.
TEST(StringBounds, FindAndFindLastStayInsideTheText)
{
    String s("abcabc");
    EXPECT_EQ(s.find("bc"), 1);
    EXPECT_EQ(s.find("bc", INT_MAX), -1);
    EXPECT_EQ(s.find("a", -5), 0);
    EXPECT_EQ(s.find("bc", -1), 1);
    EXPECT_EQ(s.find("c", INT_MIN), 2);
    EXPECT_EQ(s.find("", -1), 0);
    EXPECT_EQ(s.find("abcabcx"), -1);
    EXPECT_EQ(s.find("", 6), 6);
    EXPECT_EQ(s.find("", 7), -1);
    EXPECT_EQ(s.findLast("bc", 2, 100), 4);
    EXPECT_EQ(s.findLast("bc", 2, 3), 1);
    EXPECT_EQ(s.findLast("bc", 2, -1), -1);
    EXPECT_EQ(s.findLast("bc", -2, 5), -1);
    EXPECT_EQ(s.findLast("abcabcabc", 9, 0), -1);
}

TEST(StringBounds, ReplaceClampsPositionAndCount)
{
    String s("abcdef");
    EXPECT_EQ(text(s.replace(1, 2, "XY")), "aXYdef");
    EXPECT_EQ(text(s.replace(4, 100, "Z")), "abcdZ");
    EXPECT_EQ(text(s.replace(100, 1, "Z")), "abcdeZ");
    EXPECT_EQ(text(s.replace(-7, 1, "Z")), "Zbcdef");
    EXPECT_EQ(text(s.replace(2, -1, "Z")), "abZcdef");
    EXPECT_EQ(text(String("").replace(5, 5, "Z")), "Z");
}

TEST(StringPaths, SplitsAtTheLastSeparator)
{
    String path("C:\\dir\\file.txt");
    EXPECT_EQ(text(path.folderPart()), "C:\\dir");
    EXPECT_EQ(String("abc").folderPart().length(), 0);
    EXPECT_EQ(text(path.fileName()), "file.txt");
    String bare("file.txt");
    EXPECT_EQ(bare.fileName().cStr(), bare.cStr());
    EXPECT_EQ(text(bare.extension()), "txt");
    EXPECT_EQ(String("file").extension().length(), 0);
    EXPECT_EQ(text(String("C:\\dir.x\\file").stripExtension()), "C:\\dir.x\\file");
    EXPECT_EQ(text(String("a.b.c").stripExtension()), "a.b");
}

TEST(StringNumbers, PrintsReadsAndCompares)
{
    EXPECT_EQ(text(String::fromInt(-5)), "-5");
    EXPECT_EQ(text(String::fromInt(INT64_MIN)), "-9223372036854775808");
    EXPECT_EQ(text(String::fromHex(0x1A, 0)), "01a");
    EXPECT_EQ(text(String::fromHex(0x1A, 4)), "0001a");
    EXPECT_EQ(text(String::fromHex(0, 0)), "0");
    EXPECT_EQ(text(String::fromHex(UINT64_MAX, 40)), "0ffffffffffffffff");
    EXPECT_EQ(String::repeat('x', -3).length(), 0);
    EXPECT_EQ(String("ff").toInt(true), 255);
    EXPECT_EQ(String("-1").toInt(), 0xFFFFFFFFLL);
    EXPECT_FALSE(String("abc") == "ABC");
    EXPECT_TRUE(String("B") < String("a"));
    EXPECT_TRUE(String("a") < "\x80");
    EXPECT_LT(String("ab").compare("abc"), 0);
}

TEST(StringFormat, FixedPointAndPattern)
{
    EXPECT_EQ(text(String::formatFixed(3.1, 2, 2, false)), "3.10");
    EXPECT_EQ(text(String::formatFixed(3.14159, 2, 2, true)), "+3.1416");
    EXPECT_EQ(text(String::formatFixed(-0.05, 2, 0, false)), "-0.05");
    EXPECT_EQ(text(String::formatFixed(5, 0, 2, false)), "5.");
    EXPECT_EQ(text(String::formatPattern(3725, "24:060:060", false)), "1:02:05");
    EXPECT_EQ(text(String::formatPattern(65, "24:060:060", false)), "01:05");
    EXPECT_EQ(text(String::formatPattern(100000, "h60", false)), "1666h40");
    EXPECT_EQ(text(String::formatPattern(0x1234, "10.10", true)), "03.04");
    EXPECT_EQ(text(String::formatPattern(0x1234, "x10.10", true)), "012x03.04");
    EXPECT_EQ(text(String::formatPattern(7, "", false)), "7");
}

TEST(StringFormat, ConvertsCodePagesThroughUtf16)
{
    String utf8 = String("caf\xE9").convertCodePage(1252, CP_UTF8);
    EXPECT_EQ(text(utf8), "caf\xC3\xA9");
    EXPECT_EQ(text(utf8.convertCodePage(CP_UTF8, 1252)), "caf\xE9");
    EXPECT_EQ(String("").convertCodePage(1252, CP_UTF8).length(), 0);
}

TEST(StringHeap, CellsAreRecycledAndSafeAcrossThreads)
{
    String* first = new String("a");
    const uintptr_t firstCell = reinterpret_cast<uintptr_t>(first);
    delete first;
    String* second = new String("b");
    EXPECT_EQ(reinterpret_cast<uintptr_t>(second), firstCell);
    delete second;

    // Workers replace heap copies of their own text as fast as they can while
    // this thread suspends them one after another at whatever instruction each
    // has reached, so that the others go through the pool in the middle of its
    // take or give. A cell handed out twice shows a worker another one's text
    // (or crashes it): an unlocked pool fails this reliably.
    struct Worker {
        std::atomic<bool>* stop;
        int number;
        bool intact;
        static DWORD WINAPI churn(void* argument)
        {
            Worker& w = *static_cast<Worker*>(argument);
            const String model = String::fromInt(w.number);
            String* kept[16] = {};
            w.intact = true;
            for (unsigned round = 0; !*w.stop; ++round) {
                String*& slot = kept[round % 16];
                w.intact = w.intact && (!slot || *slot == model);
                delete slot;
                slot = new String(model);
            }
            for (String* s : kept)
                delete s;
            return 0;
        }
    };
    std::atomic<bool> stop(false);
    Worker workers[3] = {{&stop, 0, false}, {&stop, 1, false}, {&stop, 2, false}};
    HANDLE threads[3];
    for (int i = 0; i < 3; ++i)
        threads[i] = CreateThread(nullptr, 0, Worker::churn, &workers[i], 0, nullptr);
    for (int pause = 0; pause < 300; ++pause) {
        SuspendThread(threads[pause % 3]);
        Sleep(1);
        ResumeThread(threads[pause % 3]);
    }
    stop = true;
    WaitForMultipleObjects(3, threads, TRUE, INFINITE);
    for (int i = 0; i < 3; ++i) {
        CloseHandle(threads[i]);
        EXPECT_TRUE(workers[i].intact) << "worker " << i;
    }
}
