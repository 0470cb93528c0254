#include "foundation/VirtualBuffer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

uint32_t systemPageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

// Bytes committed from base onwards, as the system reports them.
size_t committedAt(const void* base)
{
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(base, &info, sizeof info) || info.State != MEM_COMMIT)
        return 0;
    return info.RegionSize;
}

} // namespace

TEST(VirtualBufferSizes, RoundToPagesAndCommitBetweenMinimumUsedAndReservationNeverBeyond)
{
    const uint32_t page = systemPageSize();
    VirtualBuffer buffer(1, 1);
    EXPECT_EQ(buffer.pageSize(), page);
    EXPECT_EQ(buffer.reserved(), page);
    EXPECT_EQ(committedAt(buffer.data()), page);
    EXPECT_EQ(buffer.setUsed(10000), page);

    VirtualBuffer empty(0, 0);
    EXPECT_EQ(empty.reserved(), page);
    EXPECT_EQ(empty.committed(), 0u);
    EXPECT_EQ(empty.setUsed(10), 10u);
    EXPECT_EQ(committedAt(empty.data()), page);
    try {
        VirtualBuffer inverted(8 * page, page);
        ADD_FAILURE() << "committed " << committedAt(inverted.data()) << " bytes of a one-page reservation";
    } catch (const char* message) {
        EXPECT_STREQ("No memory", message);
    }

    VirtualBuffer growing(page, 8 * page);
    EXPECT_EQ(growing.commit(5 * page + 1), 6 * page);
    EXPECT_EQ(committedAt(growing.data()), 6 * page);
    EXPECT_EQ(growing.commit(100 * page), 8 * page);
    growing.setUsed(3 * page - 5);
    EXPECT_EQ(growing.commit(0), 3 * page);
    EXPECT_EQ(committedAt(growing.data()), 3 * page);
    growing.setUsed(0);
    EXPECT_EQ(growing.commit(0), page);
    EXPECT_EQ(growing.commit(page), page);
    EXPECT_EQ(committedAt(growing.data()), page);
}

TEST(VirtualBufferErase, MovesTheTailDownOrCutsIt)
{
    VirtualBuffer buffer(16, 4096);
    buffer.setUsed(10);
    std::memcpy(buffer.data(), "0123456789", 10);
    EXPECT_EQ(buffer.erase(2, 3), 1);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), "0156789");
    buffer.erase(3, 0xFFFFFFFFu);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), "015");
    buffer.erase(100, 1);
    EXPECT_EQ(buffer.size(), 3u);
}
