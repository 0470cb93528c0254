// The colour a pen or brush was made with, as GDI reports it; CLR_INVALID for anything else.
#pragma once

#include <windows.h>

namespace testsupport {

inline COLORREF penColour(HPEN pen)
{
    LOGPEN info = {};
    return GetObjectA(pen, sizeof info, &info) == sizeof info ? info.lopnColor : CLR_INVALID;
}

inline COLORREF brushColour(HBRUSH brush)
{
    LOGBRUSH info = {};
    return GetObjectA(brush, sizeof info, &info) == sizeof info ? info.lbColor : CLR_INVALID;
}

}  // namespace testsupport
