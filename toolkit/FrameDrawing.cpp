#include "toolkit/FrameDrawing.h"

#include "toolkit/Window.h"

namespace {

// Two polylines set the same pixels as the path of MoveToEx and LineTo calls
// round the rectangle (each segment leaves out its end point, which the next
// one starts with) in fewer calls, which count under Wine.
void drawEdges(HDC dc, const RECT& r, HPEN topLeft, HPEN bottomRight)
{
    const POINT leading[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
    const POINT trailing[] = {{r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    SelectObject(dc, topLeft);
    Polyline(dc, leading, 3);
    SelectObject(dc, bottomRight);
    Polyline(dc, trailing, 3);
}

void drawEtched(const Window& window, HDC dc, const RECT& r)
{
    const int n = window.borderWidth();
    const HGDIOBJ previousBrush = SelectObject(dc, window.hollowBrush());
    SelectObject(dc, window.lightBorderPen(n - 1));
    RoundRect(dc, r.left, r.top, r.right, r.bottom, n, n);
    SelectObject(dc, window.darkBorderPen(n - 1));
    RoundRect(dc, r.left + 1, r.top + 1, r.right + 1, r.bottom + 1, n, n);
    SelectObject(dc, previousBrush);
}

void drawBevel(const Window& window, HDC dc, RECT& r, bool sunken)
{
    for (int i = 0; i < window.borderWidth(); ++i) {
        if (sunken)
            drawEdges(dc, r, window.darkBorderPen(i), window.lightBorderPen(i));
        else
            drawEdges(dc, r, window.lightBorderPen(i), window.darkBorderPen(i));
        r.left += 1;
        r.top += 1;
        r.right -= 1;
        r.bottom -= 1;
    }
}

}

void drawWindowFrame(const Window& window, HDC dc, RECT& r, int style)
{
    r.right -= 1;
    r.bottom -= 1;
    const HGDIOBJ previousPen = SelectObject(dc, window.lightBorderPen(0));
    if (style == 1)
        drawEdges(dc, r, window.lightBorderPen(0), window.darkBorderPen(0));
    else if (style == 2)
        drawEtched(window, dc, r);
    else if (style == 3 || style == 4)
        drawBevel(window, dc, r, style == 3);
    SelectObject(dc, previousPen);
}
