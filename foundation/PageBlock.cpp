#include "foundation/PageBlock.h"

#include <windows.h>

bool PageBlock::allocate(size_t bytes)
{
    reset();
    data_ = static_cast<char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    return data_ != nullptr;
}

void PageBlock::reset()
{
    if (data_ != nullptr)
        VirtualFree(data_, 0, MEM_RELEASE);
    data_ = nullptr;
}
