// The marks a button draws beside or instead of its caption: triangles, bar, cross and check box.
#pragma once

#include <windows.h>

enum MarkStyle : unsigned {
    MarkNone = 0,
    MarkTriangleDown = 1,
    MarkTriangleUp = 2,
    MarkTriangleLeft = 3,
    MarkTriangleRight = 4,
    MarkBar = 5,
    MarkCross = 6,
    MarkCheckBox = 7
};

// Marks 1 to 5 as horizontal lines of the pen selected into dc, in an
// n x n square at (x, y). Each line leaves out its end pixel.
void drawLineMark(HDC dc, MarkStyle style, int x, int y, int n);

// Both diagonals of the n x n square with the pen selected into dc.
void drawCrossMark(HDC dc, int x, int y, int n);
