#include "toolkit/WindowMessages.h"

DWORD packWheelWord(WPARAM wheelWparam)
{
    const int delta = static_cast<short>(HIWORD(static_cast<DWORD>(wheelWparam)));
    // C++ division truncates towards zero, so 119 and -119 both give 0.
    const int notches = delta / WHEEL_DELTA;
    return static_cast<DWORD>(LOWORD(static_cast<DWORD>(wheelWparam)))
        | (static_cast<DWORD>(static_cast<WORD>(notches)) << 16);
}

int wheelNotches(DWORD packed)
{
    return static_cast<short>(HIWORD(packed));
}

int wheelKeyFlags(DWORD packed)
{
    return LOWORD(packed);
}
