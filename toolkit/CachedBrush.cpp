#include "toolkit/CachedBrush.h"

#include "toolkit/Application.h"

CachedBrush::CachedBrush(COLORREF colour)
    : brush(application.acquireBrush(colour))
    , owns(true)
{
}

CachedBrush::~CachedBrush()
{
    if (owns)
        application.releaseBrush(brush);
}

CachedBrush::CachedBrush(CachedBrush&& other) noexcept
    : brush(other.brush)
    , owns(other.owns)
{
    other.owns = false;
}

HBRUSH CachedBrush::handle() const
{
    return brush;
}
