#include "controls/FontSelection.h"

FontSelection::FontSelection(HDC dc, HGDIOBJ font)
{
    if (GetCurrentObject(dc, OBJ_FONT) != font)
        selection.emplace(dc, font);
}

HGDIOBJ fontOrSystem(HFONT font)
{
    return font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
}
