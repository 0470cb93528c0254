#include "foundation/PointerArray.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void* pointer(uintptr_t value)
{
    return reinterpret_cast<void*>(value);
}

std::vector<uintptr_t> contents(const PointerArray& array)
{
    std::vector<uintptr_t> values;
    for (int i = 0; i < array.count(); ++i)
        values.push_back(reinterpret_cast<uintptr_t>(array.at(i)));
    return values;
}

// Records the order in which clear takes elements out.
class RecordingArray : public PointerArray {
public:
    RecordingArray() : PointerArray(4, 64) {}
    ~RecordingArray() override { clear(); }
    void* removeAt(int index) override
    {
        removed.push_back(reinterpret_cast<uintptr_t>(PointerArray::removeAt(index)));
        return nullptr;
    }
    std::vector<uintptr_t> removed;
};

} // namespace

TEST(PointerArrayGrowth, KeepsEveryElementAndGivesTheRoomBackOnClear)
{
    PointerArray array(1024, 4194304);
    const uint32_t initial = array.committed();
    for (uintptr_t i = 0; i < 2049; ++i)
        array.insert(pointer(i + 1), -1);
    EXPECT_EQ(array.count(), 2049);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(array.at(0)), 1u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(array.at(2048)), 2049u);
    array.clear();
    EXPECT_EQ(array.committed(), initial);
}

TEST(PointerArrayGrowth, DropsAnInsertBeyondTheReservation)
{
    PointerArray array(1, 1);
    const int room = int(array.reserved() / sizeof(void*));
    for (int i = 0; i < room; ++i)
        array.insert(pointer(1), -1);
    array.insert(pointer(2), 0);
    EXPECT_EQ(array.count(), room);
    EXPECT_EQ(array.indexOf(pointer(2)), -1);

    PointerArray empty(0, 8);
    empty.insert(pointer(3), 0);
    EXPECT_EQ(contents(empty), std::vector<uintptr_t>({3}));
}

TEST(PointerArrayIndexing, InsertRemoveAndSearchStayInside)
{
    PointerArray array(4, 64);
    array.insert(pointer(2), 0);
    array.insert(pointer(1), 0);
    array.insert(pointer(4), 99);
    array.insert(pointer(5), -1);
    array.insert(pointer(3), 2);
    EXPECT_EQ(contents(array), std::vector<uintptr_t>({1, 2, 3, 4, 5}));
    EXPECT_EQ(array.removeAt(5), nullptr);
    EXPECT_EQ(array.removeAt(-1), nullptr);
    EXPECT_EQ(array.removeAt(1), pointer(2));
    EXPECT_EQ(contents(array), std::vector<uintptr_t>({1, 3, 4, 5}));
    EXPECT_EQ(array.at(-1), nullptr);
    array.insert(pointer(4), 0);
    EXPECT_EQ(array.indexOf(pointer(4)), 3);
    EXPECT_EQ(array.indexOf(pointer(9)), -1);
    array.swap(0, 4);
    array.swap(0, 7);
    array.swap(-1, 1);
    EXPECT_EQ(contents(array), std::vector<uintptr_t>({5, 1, 3, 4, 4}));
}

TEST(PointerArrayClear, RemovesFromTheLastToTheFirst)
{
    RecordingArray array;
    for (uintptr_t i = 1; i <= 4; ++i)
        array.insert(pointer(i), -1);
    array.clear();
    EXPECT_EQ(array.removed, std::vector<uintptr_t>({4, 3, 2, 1}));
}
