// 8-bit device-independent bitmap with a 256-entry colour table and, when
// one is given, a logical palette realized on palette-based devices.
#pragma once

#include "controls/DibBitmap.h"
#include "controls/OwnedGdiObject.h"

class PaletteBitmap : public DibBitmap {
public:
    // Colour table entry j comes from the given palette's entry j, or is the
    // grey (j, j, j) without a palette or beyond its entries. Throws the
    // integer 1 when the DIB section cannot be created.
    PaletteBitmap(int width, int height, const LOGPALETTE* palette);
    ~PaletteBitmap() override;

    BOOL draw(HDC dc, int x, int y, const RECT* source, DWORD rop) override;
    BOOL stretchDraw(HDC dc, const RECT& target, DWORD rop) override;

    // 0 when (x, y) lies outside the image, else 1.
    int setPixel(int x, int y, BYTE index);
    // The colour index at (x, y), 0 outside the image.
    BYTE pixel(int x, int y) const;
    // Takes ownership of palette when it could be selected (returns 1); on
    // failure returns 0 and keeps the old palette.
    int setPalette(HPALETTE palette);
    HPALETTE palette() const { return palette_.get(); }
    UINT setColour(UINT index, BYTE red, BYTE green, BYTE blue);
    UINT setColours(UINT first, UINT count, const RGBQUAD* entries);

private:
    bool selectsPalette(HDC target) const;

    OwnedGdiObject<HPALETTE> palette_;
    HPALETTE originalPalette_ = nullptr;
};
