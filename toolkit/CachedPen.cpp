#include "toolkit/CachedPen.h"

#include "toolkit/Application.h"

CachedPen::CachedPen(COLORREF colour, Style style)
    : pen(style == Dotted ? application.acquireDotPen(colour) : application.acquirePen(colour))
    , style(style)
    , owns(true)
{
}

CachedPen::~CachedPen()
{
    if (!owns)
        return;
    if (style == Dotted)
        application.releaseDotPen(pen);
    else
        application.releasePen(pen);
}

CachedPen::CachedPen(CachedPen&& other) noexcept
    : pen(other.pen)
    , style(other.style)
    , owns(other.owns)
{
    other.owns = false;
}

HPEN CachedPen::handle() const
{
    return pen;
}
