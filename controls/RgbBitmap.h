// 24-bit device-independent bitmap: three bytes per pixel, blue, green, red.
#pragma once

#include "controls/DibBitmap.h"

class RgbBitmap : public DibBitmap {
public:
    // All pixels start black; throws the integer 1 when the DIB section
    // cannot be created.
    RgbBitmap(int width, int height);
    ~RgbBitmap() override;

    // Stores bytes 0, 1 and 2 of value as the pixel's blue, green and red
    // bytes; 0 when (x, y) lies outside the image, else 1.
    int setPixel(int x, int y, COLORREF value);
    // 2 x 2 box reduction into target (which may be this bitmap); an odd last
    // row or column is left out. 0 when target is smaller than half the size.
    int halveInto(RgbBitmap& target) const;
};
