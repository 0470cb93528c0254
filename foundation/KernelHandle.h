// Sole owner of one kernel handle (file, event, thread); closes it with CloseHandle exactly once.
#pragma once

#include <windows.h>

class KernelHandle {
public:
    KernelHandle() = default;
    // Takes ownership; null and INVALID_HANDLE_VALUE both mean no handle.
    explicit KernelHandle(HANDLE handle) { reset(handle); }
    ~KernelHandle() { reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != nullptr; }
    // Closes the handle held so far (if any) and takes ownership of handle.
    void reset(HANDLE handle = nullptr);

private:
    HANDLE handle_ = nullptr;
};
