#include "foundation/VirtualBuffer.h"

#include <windows.h>

#include <cstring>

namespace {

void* reserveRange(uint32_t& bytes, uint32_t pageSize)
{
    for (;;) {
        void* base = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_TOP_DOWN, PAGE_NOACCESS);
        if (base || bytes <= pageSize)
            return base;
        bytes -= pageSize;
    }
}

} // namespace

VirtualBuffer::VirtualBuffer(uint32_t initialBytes, uint32_t maximumBytes)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    pageSize_ = info.dwPageSize;
    // A reservation holds at least one page.
    uint32_t reserve = roundToPage(maximumBytes == 0 ? 1 : maximumBytes);
    uint32_t initial = roundToPage(initialBytes);
    base_ = static_cast<char*>(reserveRange(reserve, pageSize_));
    if (!base_)
        throw "No memory";
    reserved_ = reserve;
    // An initial size beyond the reservation is not cut down: its commit fails.
    if (initial > 0 && !VirtualAlloc(base_, initial, MEM_COMMIT, PAGE_READWRITE)) {
        VirtualFree(base_, 0, MEM_RELEASE);
        throw "No memory";
    }
    committed_ = initial;
    minimumCommit_ = initial;
}

VirtualBuffer::~VirtualBuffer()
{
    VirtualFree(base_, 0, MEM_RELEASE);
}

uint32_t VirtualBuffer::roundToPage(uint64_t bytes) const
{
    uint64_t rounded = (bytes + pageSize_ - 1) / pageSize_ * pageSize_;
    uint64_t largest = 0xFFFFFFFFull / pageSize_ * pageSize_;
    return static_cast<uint32_t>(rounded < largest ? rounded : largest);
}

uint32_t VirtualBuffer::commit(uint32_t bytes)
{
    uint32_t wanted = bytes > minimumCommit_ ? bytes : minimumCommit_;
    if (wanted > reserved_)
        wanted = reserved_;
    if (wanted < used_)
        wanted = used_;
    uint32_t target = roundToPage(wanted);
    // Equal sizes make no call: a zero-sized decommit would take the whole region.
    if (target == committed_)
        return committed_;
    bool done = committed_ < target
        ? VirtualAlloc(base_ + committed_, target - committed_, MEM_COMMIT, PAGE_READWRITE) != nullptr
        : VirtualFree(base_ + target, committed_ - target, MEM_DECOMMIT) != 0;
    if (done)
        committed_ = target;
    return committed_;
}

uint32_t VirtualBuffer::setUsed(uint32_t bytes)
{
    uint32_t wanted = bytes < reserved_ ? bytes : reserved_;
    if (committed_ < wanted)
        commit(wanted);
    used_ = wanted < committed_ ? wanted : committed_;
    return used_;
}

int VirtualBuffer::erase(uint32_t position, uint32_t count)
{
    if (position >= used_)
        return 1;
    if (uint64_t(position) + count < used_) {
        uint32_t end = position + count;
        std::memmove(base_ + position, base_ + end, used_ - end);
        used_ -= count;
    } else {
        used_ = position;
    }
    return 1;
}
