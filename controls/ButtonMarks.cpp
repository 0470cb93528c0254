#include "controls/ButtonMarks.h"

namespace {

void line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

void drawLineMark(HDC dc, MarkStyle style, int x, int y, int n)
{
    switch (style) {
    case MarkTriangleDown:
        for (int j = 0; j < n; ++j)
            line(dc, x + j / 2, y + j, x + n - j / 2, y + j);
        break;
    case MarkTriangleUp:
        for (int j = 0; j < n; ++j)
            line(dc, x + j / 2, y + n - j - 1, x + n - j / 2, y + n - j - 1);
        break;
    case MarkTriangleLeft:
        for (int j = 0; j < (n + 1) / 2; ++j) {
            line(dc, x + n - 1, y + j, x + n - 2 * j - 1, y + j);
            line(dc, x + n - 1, y + n - j - 1, x + n - 2 * j - 1, y + n - j - 1);
        }
        break;
    case MarkTriangleRight:
        for (int j = 0; j < (n + 1) / 2; ++j) {
            line(dc, x, y + j, x + 2 * j, y + j);
            line(dc, x, y + n - j - 1, x + 2 * j, y + n - j - 1);
        }
        break;
    case MarkBar:
        for (int i = 0; i < n / 3; ++i)
            line(dc, x, y + i, x + n, y + i);
        break;
    default:
        break;
    }
}

void drawCrossMark(HDC dc, int x, int y, int n)
{
    line(dc, x, y, x + n, y + n);
    line(dc, x, y + n, x + n, y);
}
