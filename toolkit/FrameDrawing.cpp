#include "toolkit/FrameDrawing.h"

#include "toolkit/BevelSides.h"
#include "toolkit/SelectGuard.h"
#include "toolkit/Window.h"

namespace {

// One cache for every window of the thread that paints them all.
BevelSides& bevelSides()
{
    static BevelSides sides;
    return sides;
}

void drawEtched(const Window& window, HDC dc, const RECT& r)
{
    const int n = window.borderWidth();
    const SelectGuard brush(dc, window.hollowBrush());
    SelectObject(dc, window.lightBorderPen(n - 1));
    RoundRect(dc, r.left, r.top, r.right, r.bottom, n, n);
    SelectObject(dc, window.darkBorderPen(n - 1));
    RoundRect(dc, r.left + 1, r.top + 1, r.right + 1, r.bottom + 1, n, n);
}

void shrink(RECT& r, int by)
{
    r.left += by;
    r.top += by;
    r.right -= by;
    r.bottom -= by;
}

// With the side columns copied, only the top and bottom rows between them are
// left to draw, and those are short fills.
bool copyTallBevel(HDC dc, RECT& r, int levels, const HPEN* leading, const HPEN* trailing)
{
    if (!bevelSides().copy(dc, r, levels, leading, trailing))
        return false;
    for (int j = 0; j < levels; ++j) {
        const POINT top[] = {{r.left + levels, r.top + j}, {r.right - levels + 1, r.top + j}};
        const POINT bottom[] = {{r.left + levels, r.bottom - j}, {r.right - levels + 1, r.bottom - j}};
        SelectObject(dc, leading[j]);
        Polyline(dc, top, 2);
        SelectObject(dc, trailing[j]);
        Polyline(dc, bottom, 2);
    }
    shrink(r, levels);
    return true;
}

void drawBevel(const Window& window, HDC dc, RECT& r, bool sunken)
{
    const int levels = window.borderWidth();
    if (levels > 0 && levels <= BevelSides::maxLevels) {
        HPEN leading[BevelSides::maxLevels];
        HPEN trailing[BevelSides::maxLevels];
        for (int i = 0; i < levels; ++i) {
            leading[i] = sunken ? window.darkBorderPen(i) : window.lightBorderPen(i);
            trailing[i] = sunken ? window.lightBorderPen(i) : window.darkBorderPen(i);
        }
        if (copyTallBevel(dc, r, levels, leading, trailing))
            return;
    }
    for (int i = 0; i < levels; ++i) {
        if (sunken)
            drawBevelLevel(dc, r, window.darkBorderPen(i), window.lightBorderPen(i));
        else
            drawBevelLevel(dc, r, window.lightBorderPen(i), window.darkBorderPen(i));
        shrink(r, 1);
    }
}

}

// Two polylines set the same pixels as the path of MoveToEx and LineTo calls
// round the rectangle (each segment leaves out its end point, which the next
// one starts with) in fewer calls, which count under Wine.
void drawBevelLevel(HDC dc, const RECT& r, HPEN topLeft, HPEN bottomRight)
{
    const POINT leading[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
    const POINT trailing[] = {{r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    SelectObject(dc, topLeft);
    Polyline(dc, leading, 3);
    SelectObject(dc, bottomRight);
    Polyline(dc, trailing, 3);
}

void drawWindowFrame(const Window& window, HDC dc, RECT& r, int style)
{
    r.right -= 1;
    r.bottom -= 1;
    // Every pen the styles select below is undone here, once.
    const SelectGuard pen(dc, GetCurrentObject(dc, OBJ_PEN));
    if (style == 1)
        drawBevelLevel(dc, r, window.lightBorderPen(0), window.darkBorderPen(0));
    else if (style == 2)
        drawEtched(window, dc, r);
    else if (style == 3 || style == 4)
        drawBevel(window, dc, r, style == 3);
}
