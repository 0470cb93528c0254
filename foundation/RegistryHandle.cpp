#include "foundation/RegistryHandle.h"

RegistryHandle::~RegistryHandle()
{
    reset();
}

RegistryHandle::RegistryHandle(RegistryHandle&& other) noexcept : handle_(other.handle_)
{
    other.handle_ = nullptr;
}

RegistryHandle& RegistryHandle::operator=(RegistryHandle&& other) noexcept
{
    if (this != &other) {
        reset(other.handle_);
        other.handle_ = nullptr;
    }
    return *this;
}

void RegistryHandle::reset(HKEY handle)
{
    if (handle_ != nullptr && handle_ != handle)
        RegCloseKey(handle_);
    handle_ = handle;
}
