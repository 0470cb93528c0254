// Owns the DC of a window (GetDC) for one scope and gives it back with ReleaseDC.
#pragma once

#include <windows.h>

class WindowDC {
public:
    // A null window gives the screen's DC. handle() is null when none could be had.
    explicit WindowDC(HWND window);
    ~WindowDC();
    WindowDC(WindowDC&& other) noexcept;
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC& operator=(WindowDC&&) = delete;

    HDC handle() const;

private:
    HWND window;
    HDC dc;
};
