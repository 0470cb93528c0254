// Bevelled and etched frames drawn with a window's border pens.
#pragma once

#include <windows.h>

class Window;

// Style 1 one raised level, 2 etched rounded rectangle, 3 sunken bevel, 4
// raised bevel. The frame lies on the inside edge of r; after 3 and 4 r is
// the area inside it. The DC's pen and brush are selected back afterwards.
void drawWindowFrame(const Window& window, HDC dc, RECT& r, int style);

// One level of a bevel: topLeft on the left and top edges of r (right and
// bottom inclusive), bottomRight on the right and bottom ones. Leaves
// bottomRight selected.
void drawBevelLevel(HDC dc, const RECT& r, HPEN topLeft, HPEN bottomRight);
