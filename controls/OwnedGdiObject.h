// Sole owner of a pen, brush, bitmap or palette that was created for one user and is deleted by it.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle>
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~OwnedGdiObject() { reset(); }
    OwnedGdiObject(OwnedGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedGdiObject& operator=(OwnedGdiObject&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Deletes the object held so far; it must not be selected anywhere.
    void reset(Handle handle = nullptr)
    {
        if (handle_ != nullptr)
            DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_;
};
