#include "foundation/UniqueHandle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The handles given back, in order; a handle here is any pointer-sized value.
std::vector<int> closed;

void recordClose(int* handle)
{
    closed.push_back(static_cast<int>(reinterpret_cast<std::intptr_t>(handle)));
}

void recordCloseWith(int context, int* handle)
{
    closed.push_back(context * 100 + static_cast<int>(reinterpret_cast<std::intptr_t>(handle)));
}

int* handle(std::intptr_t value)
{
    return reinterpret_cast<int*>(value);
}

using Owner = UniqueHandle<int*, recordClose, -1>;

} // namespace

TEST(UniqueHandle, ClosesEachHandleOnceAndNeverNullOrTheInvalidValue)
{
    closed.clear();
    {
        Owner none(handle(-1));
        EXPECT_FALSE(none.isOpen());
        EXPECT_EQ(nullptr, none.get()) << "an owner without a handle holds null";
        Owner first(handle(1));
        first.reset(handle(1));
        EXPECT_TRUE(closed.empty()) << "taking the handle already held keeps it open";
        first.reset(handle(2));
        EXPECT_EQ(std::vector<int>{1}, closed);
        Owner moved(std::move(first));
        EXPECT_FALSE(first.isOpen());
        EXPECT_EQ(handle(2), moved.get());
        Owner target(handle(3));
        target = std::move(moved);
        EXPECT_EQ((std::vector<int>{1, 3}), closed);
        Owner kept(handle(4));
        EXPECT_EQ(handle(4), kept.release());
    }
    EXPECT_EQ((std::vector<int>{1, 3, 2}), closed) << "the released handle is the caller's";
}

TEST(UniqueHandle, AContextGoesWithItsHandle)
{
    closed.clear();
    {
        UniqueHandle<int*, recordCloseWith, 0, int> a(7, handle(1));
        UniqueHandle<int*, recordCloseWith, 0, int> b(8, handle(2));
        b = std::move(a);
        EXPECT_EQ(std::vector<int>{802}, closed);
    }
    EXPECT_EQ((std::vector<int>{802, 701}), closed);
}
