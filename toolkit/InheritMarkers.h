// The marker -1 that makes a window property follow its parent, for each type of property.
#pragma once

#include <windows.h>

const COLORREF InheritColour = static_cast<COLORREF>(-1);
const int InheritValue = -1;

inline HFONT inheritFont()
{
    return reinterpret_cast<HFONT>(static_cast<INT_PTR>(-1));
}

inline HBRUSH inheritBrush()
{
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(-1));
}

inline HPEN inheritPen()
{
    return reinterpret_cast<HPEN>(static_cast<INT_PTR>(-1));
}
