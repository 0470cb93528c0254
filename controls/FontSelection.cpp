#include "controls/FontSelection.h"

FontSelection::FontSelection(HDC dc, HGDIOBJ font)
    : dc_(dc), previous_(GetCurrentObject(dc, OBJ_FONT) == font ? nullptr : SelectObject(dc, font))
{
}

FontSelection::~FontSelection()
{
    if (previous_ != nullptr)
        SelectObject(dc_, previous_);
}

HGDIOBJ fontOrSystem(HFONT font)
{
    return font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
}
