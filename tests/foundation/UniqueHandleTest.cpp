#include "foundation/UniqueHandle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// What was given back, in order: the handle's number, plus 100 times a context.
std::vector<std::intptr_t> closed;

void giveBack(int* handle) { closed.push_back(reinterpret_cast<std::intptr_t>(handle)); }
void giveBackWith(int context, int* handle) { closed.push_back(context * 100 + reinterpret_cast<std::intptr_t>(handle)); }
int* handle(std::intptr_t value) { return reinterpret_cast<int*>(value); }

} // namespace

TEST(UniqueHandle, ClosesEachHandleOnceAndNeverNullOrTheInvalidValue)
{
    using Owner = UniqueHandle<int*, giveBack, -1>;
    closed.clear();
    {
        Owner none(handle(-1));
        EXPECT_FALSE(none.isOpen());
        Owner first(handle(1));
        first.reset(handle(1));
        first.reset(handle(2));
        Owner target(handle(3));
        target = std::move(first);
        EXPECT_FALSE(first.isOpen());
        EXPECT_EQ(handle(4), Owner(handle(4)).release());
        UniqueHandle<int*, giveBackWith, 0, int> withContext(7, handle(5));
        UniqueHandle<int*, giveBackWith, 0, int> moved(std::move(withContext));
    }
    EXPECT_EQ((std::vector<std::intptr_t>{1, 3, 705, 2}), closed);
}
