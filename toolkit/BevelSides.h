// The left and right sides of tall bevels, kept as small images. A side of n
// levels is n one-pixel columns as tall as the frame; drawn as lines, each
// column costs one fill per pixel row in Wine's DIB engine, where one copy of
// the image costs about as much as a single column.
#pragma once

#include <windows.h>

#include <optional>

#include "foundation/UniqueHandle.h"
#include "toolkit/MemoryDC.h"
#include "toolkit/SelectGuard.h"

class BevelSides {
public:
    static constexpr int maxLevels = 8;

    BevelSides() = default;
    BevelSides(const BevelSides&) = delete;
    BevelSides& operator=(const BevelSides&) = delete;

    // Copies the left and right columns of the bevel whose outer edge is r (right
    // and bottom inclusive), level i drawn with leading[i] on its left and top
    // edges and trailing[i] on its right and bottom edges: every pixel of those
    // columns, corners included, exactly as the lines would set it. False, with
    // nothing drawn, for a frame too low to gain from it, a pen that is not a
    // cached one, or a DC whose pixels a copy might not match: a mapping other
    // than plain pixels, a drawing mode other than R2_COPYPEN, a mirrored layout,
    // or a surface that is not 24 or 32-bit true colour.
    bool copy(HDC dc, const RECT& r, int levels, const HPEN* leading, const HPEN* trailing);

private:
    // Each image keeps a DC of its own with its bitmap selected for good:
    // selecting a bitmap costs far more under Wine than the copy it serves.
    struct Image {
        int levels = 0;
        int height = 0;
        COLORREF colours[2 * maxLevels] = {};
        // In this order, so that the bitmap is selected out before the DC and it go.
        UniqueHandle<HBITMAP, ::DeleteObject> bitmap;
        MemoryDC dc;
        std::optional<SelectGuard> selection;
    };
    static constexpr int imageCount = 4;

    Image* find(int levels, int height, const COLORREF* colours);
    Image* make(int levels, int height, const COLORREF* colours, const HPEN* leading, const HPEN* trailing);
    static void release(Image& image);

    Image images[imageCount];
    int nextImage = 0;
};
