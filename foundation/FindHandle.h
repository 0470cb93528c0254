// Sole owner of one FindFirstFileA search; closes it with FindClose exactly once.
#pragma once

#include <windows.h>

class FindHandle {
public:
    // Starts a search; isOpen() tells whether anything matched, and record holds
    // the first match when it did.
    FindHandle(const char* pattern, WIN32_FIND_DATAA& record);
    ~FindHandle();
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    FindHandle(FindHandle&& other) noexcept;
    FindHandle& operator=(FindHandle&& other) noexcept;

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // The next match into record; false when the search is exhausted.
    bool next(WIN32_FIND_DATAA& record);

private:
    void close();

    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
