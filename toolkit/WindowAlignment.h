// Lining up and equalising groups of windows by their cached geometry.
#pragma once

class Window;

// Moves each listed window against the reference; the list ends with a null
// pointer. Vertical (flags & 0x70): 0x10 top, 0x20 bottom, 0x30 top and the
// reference's height, 0x00 centre. Horizontal (flags & 7): 1 left, 2 right,
// 3 left and the reference's width, 0 centre. Other values leave that axis.
void alignWindows(int flags, Window* reference, ...);

// Gives every listed window the largest width and/or height among them; the
// list ends with a null pointer.
void equaliseSizes(int equalWidths, int equalHeights, ...);
