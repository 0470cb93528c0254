#include "controls/Alignment.h"

#include "toolkit/Drawing.h"

RECT placeBox(const RECT& outer, Alignment alignment, int width, int height)
{
    int horizontal = alignment & 0x0f;
    int vertical = alignment & 0xf0;
    if (horizontal > AlignRight)
        horizontal = AlignCentre;
    if (vertical > AlignBottom)
        vertical = AlignCentre;
    POINT item = {width, height};
    alignRect(outer, horizontal | vertical, item);
    return RECT{item.x, item.y, item.x + width, item.y + height};
}

UINT horizontalTextFlag(Alignment alignment)
{
    switch (alignment & 0x0f) {
    case AlignLeft:
        return DT_LEFT;
    case AlignRight:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}
