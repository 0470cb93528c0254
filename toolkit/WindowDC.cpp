#include "toolkit/WindowDC.h"

WindowDC::WindowDC(HWND window)
    : window(window)
    , dc(GetDC(window))
{
}

WindowDC::~WindowDC()
{
    if (dc != nullptr)
        ReleaseDC(window, dc);
}

WindowDC::WindowDC(WindowDC&& other) noexcept
    : window(other.window)
    , dc(other.dc)
{
    other.dc = nullptr;
}

HDC WindowDC::handle() const
{
    return dc;
}
