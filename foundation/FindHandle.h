// Sole owner of one FindFirstFileA search; closes it with FindClose exactly once.
#pragma once

#include <windows.h>

#include "foundation/UniqueHandle.h"

class FindHandle : public UniqueHandle<HANDLE, ::FindClose, -1> {
public:
    // Starts a search; isOpen() tells whether anything matched, and record holds
    // the first match when it did.
    FindHandle(const char* pattern, WIN32_FIND_DATAA& record) : UniqueHandle(FindFirstFileA(pattern, &record)) {}

    // The next match into record; false when the search is exhausted.
    bool next(WIN32_FIND_DATAA& record) { return isOpen() && FindNextFileA(get(), &record) != FALSE; }
};
