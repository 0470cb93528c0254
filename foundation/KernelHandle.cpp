#include "foundation/KernelHandle.h"

void KernelHandle::reset(HANDLE handle)
{
    if (handle_ != nullptr)
        CloseHandle(handle_);
    handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}
