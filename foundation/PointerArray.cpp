#include "foundation/PointerArray.h"

#include <cstring>

namespace {

uint32_t slotBytes(int count)
{
    uint64_t bytes = uint64_t(count < 0 ? 0 : count) * PointerArray::slotSize;
    return bytes < 0xFFFFFFFFull ? static_cast<uint32_t>(bytes) : 0xFFFFFFFFu;
}

} // namespace

PointerArray::PointerArray(int initialCount, int maximumCount)
    : VirtualBuffer(slotBytes(initialCount), slotBytes(maximumCount))
{
}

PointerArray::~PointerArray()
{
    clear();
}

void* PointerArray::at(int index) const
{
    return static_cast<uint32_t>(index) < static_cast<uint32_t>(count()) ? slots()[index] : nullptr;
}

void PointerArray::insert(void* pointer, int index)
{
    if (size() == committed()) {
        // Doubling an empty commit would stay empty: grow by one slot at least.
        uint64_t doubled = 2 * uint64_t(committed());
        uint64_t wanted = doubled > size() + slotSize ? doubled : size() + slotSize;
        commit(wanted < 0xFFFFFFFFull ? static_cast<uint32_t>(wanted) : 0xFFFFFFFFu);
        if (committed() <= size())
            return;
    }
    uint32_t n = static_cast<uint32_t>(count());
    uint32_t position = static_cast<uint32_t>(index) < n ? static_cast<uint32_t>(index) : n;
    void** s = slots();
    if (position < n)
        std::memmove(s + position + 1, s + position, (n - position) * slotSize);
    s[position] = pointer;
    setUsed(size() + slotSize);
}

void* PointerArray::removeAt(int index)
{
    uint32_t n = static_cast<uint32_t>(count());
    if (static_cast<uint32_t>(index) >= n)
        return nullptr;
    setUsed(size() - slotSize);
    void** s = slots();
    void* taken = s[index];
    if (uint32_t(index) + 1 < n)
        std::memmove(s + index, s + index + 1, (n - 1 - uint32_t(index)) * slotSize);
    return taken;
}

void PointerArray::clear()
{
    while (count() > 0)
        removeAt(count() - 1);
    commit(0);
}

int PointerArray::indexOf(const void* pointer) const
{
    void** s = slots();
    for (int i = count() - 1; i >= 0; --i)
        if (s[i] == pointer)
            return i;
    return -1;
}

void PointerArray::swap(int i, int j)
{
    uint32_t n = static_cast<uint32_t>(count());
    if (static_cast<uint32_t>(i) >= n || static_cast<uint32_t>(j) >= n)
        return;
    void** s = slots();
    void* kept = s[i];
    s[i] = s[j];
    s[j] = kept;
}

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(PointerArray::slotSize == 4, "a slot holds one 32-bit pointer");
#endif
