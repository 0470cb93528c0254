#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/ByteQueue.h"

namespace {

TEST(ByteQueueOperations, ReadsAllOrNothingDropsFromTheFrontAndClearGivesBackEveryPageAboveTheMinimum)
{
    ByteQueue queue(4096, 1 << 20);
    const uint32_t minimum = queue.committed();
    EXPECT_EQ(10u, queue.write("0123456789", 10));
    char out[16] = {};
    EXPECT_EQ(10u, queue.read(out, 10, 0));
    EXPECT_EQ("0123456789", std::string(out, 10));
    EXPECT_EQ(10u, queue.size());
    EXPECT_EQ(0u, queue.read(out, 11, 1));
    EXPECT_EQ(10u, queue.size());
    EXPECT_EQ(4u, queue.read(out, 4, 1));
    EXPECT_EQ("456789", std::string(queue.data(), queue.size()));

    char* tail = queue.lockTail(3);
    std::memcpy(tail, "abc", 3);
    queue.unlockAppend(3);
    EXPECT_EQ("456789abc", std::string(queue.lockData(), queue.size()));
    EXPECT_EQ(1, queue.unlockConsume(2));
    EXPECT_EQ("6789abc", std::string(queue.data(), queue.size()));
    queue.lockData();
    queue.unlockConsume(100);
    EXPECT_EQ(0u, queue.size());
    const std::string block(100000, 'q');
    ASSERT_EQ(block.size(), queue.write(block.data(), uint32_t(block.size())));
    EXPECT_GT(queue.committed(), minimum);
    queue.clear();
    EXPECT_EQ(0u, queue.size());
    EXPECT_EQ(minimum, queue.committed());
}

DWORD WINAPI writeOne(void* queue)
{
    return static_cast<ByteQueue*>(queue)->write("w", 1);
}

TEST(ByteQueueOperations, BeyondTheReservationNothingIsWrittenAndNothingStaysLocked)
{
    // No initial commit: growth has to start from nothing.
    ByteQueue queue(0, 8192);
    const uint32_t reserved = queue.reserved();
    const std::string fill(reserved - 100, 'f');
    ASSERT_EQ(fill.size(), queue.write(fill.data(), uint32_t(fill.size())));
    EXPECT_EQ(0u, queue.write(fill.data(), 101));
    EXPECT_EQ(nullptr, queue.lockTail(101));
    EXPECT_EQ(fill, std::string(queue.data(), queue.size()));
    // Another thread gets in: the refused lockTail left the queue unlocked.
    HANDLE other = CreateThread(nullptr, 0, writeOne, &queue, 0, nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(other, 5000));
    DWORD written = 0;
    GetExitCodeThread(other, &written);
    CloseHandle(other);
    EXPECT_EQ(1u, written);
    EXPECT_EQ(fill + "w", std::string(queue.data(), queue.size()));
}

// The byte at offset i of the 100 MB stream.
unsigned char streamByte(uint64_t i)
{
    return static_cast<unsigned char>(i ^ (i >> 8) ^ (i >> 17));
}

const uint64_t streamBytes = 100u * 1000 * 1000;

struct Stream {
    ByteQueue queue{65536, 1 << 20};
    volatile LONG produced = 0;
};

// Pieces of changing sizes, alternately copied in and written in place.
DWORD WINAPI produce(void* argument)
{
    Stream& stream = *static_cast<Stream*>(argument);
    ByteQueue& queue = stream.queue;
    char piece[70000];
    uint64_t at = 0;
    for (uint32_t round = 0; at < streamBytes; ++round) {
        const uint32_t n = uint32_t(std::min<uint64_t>(1 + round * 7919 % 65536, streamBytes - at));
        for (uint32_t i = 0; i < n; ++i)
            piece[i] = char(streamByte(at + i));
        bool done;
        if (round % 2 == 0) {
            done = queue.write(piece, n) == n;
        } else {
            char* tail = queue.lockTail(n);
            if ((done = tail != nullptr)) {
                std::memcpy(tail, piece, n);
                queue.unlockAppend(n);
            }
        }
        if (done)
            at += n;
        else
            Sleep(0);
    }
    InterlockedExchange(&stream.produced, 1);
    return 0;
}

TEST(ByteQueueThreads, HundredMegabytesPassIntactBetweenTwoThreads)
{
    Stream stream;
    ByteQueue& queue = stream.queue;
    HANDLE producer = CreateThread(nullptr, 0, produce, &stream, 0, nullptr);
    ASSERT_NE(nullptr, producer);
    uint64_t at = 0;
    uint64_t firstWrong = streamBytes;
    char piece[50000];
    // Drains until the producer is through and nothing is left, whatever came.
    for (uint32_t round = 0; !stream.produced || queue.read(nullptr, 1, 0) == 1; ++round) {
        uint32_t n = 0;
        if (round % 2 == 0) {
            n = 1 + round * 104729 % 50000;
            if (queue.read(piece, n, 1) != n)
                n = 0;
        } else {
            const char* front = queue.lockData();
            n = std::min<uint32_t>(queue.size(), sizeof piece);
            std::memcpy(piece, front, n);
            queue.unlockConsume(n);
        }
        for (uint32_t i = 0; i < n && firstWrong == streamBytes; ++i) {
            if (static_cast<unsigned char>(piece[i]) != streamByte(at + i))
                firstWrong = at + i;
        }
        at += n;
        if (n == 0)
            Sleep(0);
    }
    WaitForSingleObject(producer, INFINITE);
    CloseHandle(producer);
    EXPECT_EQ(streamBytes, firstWrong) << "the first changed byte";
    EXPECT_EQ(streamBytes, at);
    EXPECT_EQ(0u, queue.size());
}

} // namespace
