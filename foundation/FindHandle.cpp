#include "foundation/FindHandle.h"

FindHandle::FindHandle(const char* pattern, WIN32_FIND_DATAA& record)
    : handle_(FindFirstFileA(pattern, &record))
{
}

FindHandle::~FindHandle()
{
    close();
}

FindHandle::FindHandle(FindHandle&& other) noexcept : handle_(other.handle_)
{
    other.handle_ = INVALID_HANDLE_VALUE;
}

FindHandle& FindHandle::operator=(FindHandle&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = INVALID_HANDLE_VALUE;
    }
    return *this;
}

bool FindHandle::next(WIN32_FIND_DATAA& record)
{
    return isOpen() && FindNextFileA(handle_, &record) != FALSE;
}

void FindHandle::close()
{
    if (isOpen())
        FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}
