// Owns the DC of a window (GetDC) for one scope and gives it back with ReleaseDC.
#pragma once

#include <windows.h>

#include "foundation/UniqueHandle.h"

// ReleaseDC needs the window the DC came from; the owner carries it.
inline void releaseWindowDc(HWND window, HDC dc)
{
    ReleaseDC(window, dc);
}

class WindowDC : public UniqueHandle<HDC, releaseWindowDc, 0, HWND> {
public:
    // A null window gives the screen's DC. handle() is null when none could be had.
    explicit WindowDC(HWND window) : UniqueHandle(window, GetDC(window)) {}

    HDC handle() const { return get(); }
};
