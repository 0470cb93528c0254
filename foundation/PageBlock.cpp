#include "foundation/PageBlock.h"

#include <windows.h>

bool PageBlock::allocate(size_t bytes)
{
    reset();
    data_ = static_cast<char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    return data_ != nullptr;
}

// Locking makes the system fault the whole range in at once; unlocking at once
// leaves the pages in place. Where the lock is refused (beyond the working set
// quota on Windows) nothing changes and the pages come in as they are touched.
void PageBlock::bringIn(void* address, size_t bytes)
{
    if (bytes != 0 && VirtualLock(address, bytes))
        VirtualUnlock(address, bytes);
}

void PageBlock::reset()
{
    if (data_ != nullptr)
        VirtualFree(data_, 0, MEM_RELEASE);
    data_ = nullptr;
}
