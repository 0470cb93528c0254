#include "toolkit/SelectGuard.h"

SelectGuard::SelectGuard(HDC dc, HGDIOBJ object)
    : dc(dc)
    , previousObject(SelectObject(dc, object))
{
    if (previousObject == HGDI_ERROR)
        previousObject = nullptr;
}

SelectGuard::~SelectGuard()
{
    if (previousObject != nullptr)
        SelectObject(dc, previousObject);
}

SelectGuard::SelectGuard(SelectGuard&& other) noexcept
    : dc(other.dc)
    , previousObject(other.previousObject)
{
    other.previousObject = nullptr;
}

HGDIOBJ SelectGuard::previous() const
{
    return previousObject;
}
