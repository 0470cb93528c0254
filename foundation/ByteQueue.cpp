#include "foundation/ByteQueue.h"

#include <cstring>

ByteQueue::ByteQueue(uint32_t initialBytes, uint32_t maximumBytes) : VirtualBuffer(initialBytes, maximumBytes)
{
    InitializeCriticalSection(&section);
}

ByteQueue::~ByteQueue()
{
    DeleteCriticalSection(&section);
}

bool ByteQueue::makeRoom(uint32_t bytes)
{
    const uint64_t needed = uint64_t(size()) + bytes;
    if (committed() >= needed)
        return true;
    // The doubled size is worked out first and committed in one call.
    uint64_t target = committed() != 0 ? committed() : pageSize();
    while (target < needed)
        target *= 2;
    if (target > reserved())
        target = reserved();
    return commit(static_cast<uint32_t>(target)) >= needed;
}

uint32_t ByteQueue::write(const void* data, uint32_t bytes)
{
    EnterCriticalSection(&section);
    uint32_t written = 0;
    if (makeRoom(bytes)) {
        std::memcpy(this->data() + size(), data, bytes);
        setUsed(size() + bytes);
        written = bytes;
    }
    LeaveCriticalSection(&section);
    return written;
}

uint32_t ByteQueue::read(void* out, uint32_t bytes, int consume)
{
    EnterCriticalSection(&section);
    uint32_t taken = 0;
    if (bytes <= size()) {
        if (out)
            std::memcpy(out, data(), bytes);
        if (consume)
            erase(0, bytes);
        taken = bytes;
    }
    LeaveCriticalSection(&section);
    return taken;
}

void ByteQueue::clear()
{
    EnterCriticalSection(&section);
    read(nullptr, size(), 1);
    commit(0);
    LeaveCriticalSection(&section);
}

char* ByteQueue::lockData()
{
    EnterCriticalSection(&section);
    return data();
}

int ByteQueue::unlockConsume(uint32_t bytes)
{
    erase(0, bytes);
    LeaveCriticalSection(&section);
    return 1;
}

char* ByteQueue::lockTail(uint32_t bytes)
{
    EnterCriticalSection(&section);
    if (makeRoom(bytes))
        return data() + size();
    LeaveCriticalSection(&section);
    return nullptr;
}

void ByteQueue::unlockAppend(uint32_t bytes)
{
    const uint32_t room = committed() - size();
    setUsed(size() + (bytes < room ? bytes : room));
    LeaveCriticalSection(&section);
}
