// The one owner of every kind of system handle: a kernel object, registry key,
// search, GDI object or DC is closed exactly once, by the function named here.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

// No state of its own besides the handle: the close function needs nothing else.
struct NoCloseContext {
};

// Sole owner of one handle of type Handle, given back with close(handle), or
// close(context, handle) when a handle needs something more to be given back
// (a DC from GetDC needs its window). Null and the value `invalid` both mean
// "no handle" (CreateFileA and CreateEventA fail differently); an owner without
// one holds null. Owners move, never copy.
template <typename Handle, auto close, std::intptr_t invalid = 0, typename Context = NoCloseContext>
class UniqueHandle {
public:
    UniqueHandle() = default;
    // Takes ownership.
    explicit UniqueHandle(Handle handle) { reset(handle); }
    UniqueHandle(Context context, Handle handle) : context_(std::move(context)) { reset(handle); }
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()), context_(std::move(other.context_)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            context_ = std::move(other.context_);
            handle_ = other.release();
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    bool isOpen() const { return isHandle(handle_); }
    explicit operator bool() const { return isOpen(); }

    // Closes the handle held so far (unless it is the one given) and takes ownership of handle.
    void reset(Handle handle = none())
    {
        if (isHandle(handle_) && handle_ != handle)
            closeHeld();
        handle_ = isHandle(handle) ? handle : none();
    }
    // Gives the handle up without closing it.
    Handle release() { return std::exchange(handle_, none()); }

private:
    static Handle none() { return Handle(); }
    static bool isHandle(Handle handle) { return handle != none() && handle != invalidHandle(); }
    static Handle invalidHandle()
    {
        if constexpr (std::is_pointer_v<Handle>)
            return reinterpret_cast<Handle>(invalid);
        else
            return static_cast<Handle>(invalid);
    }

    void closeHeld()
    {
        if constexpr (std::is_same_v<Context, NoCloseContext>)
            close(handle_);
        else
            close(context_, handle_);
    }

    Handle handle_ = none();
    Context context_{};
};
