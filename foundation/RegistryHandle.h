// Sole owner of one open registry key handle; closes it exactly once.
#pragma once

#include <windows.h>

class RegistryHandle {
public:
    RegistryHandle() = default;
    explicit RegistryHandle(HKEY handle) : handle_(handle) {}
    ~RegistryHandle();
    RegistryHandle(const RegistryHandle&) = delete;
    RegistryHandle& operator=(const RegistryHandle&) = delete;
    RegistryHandle(RegistryHandle&& other) noexcept;
    RegistryHandle& operator=(RegistryHandle&& other) noexcept;

    HKEY get() const { return handle_; }
    bool isOpen() const { return handle_ != nullptr; }
    // Closes the current key (if any) and takes ownership of handle.
    void reset(HKEY handle = nullptr);

private:
    HKEY handle_ = nullptr;
};
