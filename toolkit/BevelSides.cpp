#include "toolkit/BevelSides.h"

#include "toolkit/Application.h"
#include "toolkit/FrameDrawing.h"
#include "toolkit/GdiCache.h"

#include <cstring>
#include <cstdlib>

namespace {

// Below this many column pixels per side the lines cost less than the checks and copies.
const int minimumColumnPixels = 192;

bool trueColourBits(int bits)
{
    return bits == 24 || bits == 32;
}

// A copy sets the same pixels as the lines only where both go through the
// same plain pixel mapping and a pen colour becomes the same pixel value
// however it gets there, which true-colour surfaces guarantee.
bool takesExactCopy(HDC dc)
{
    if (GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE || GetROP2(dc) != R2_COPYPEN ||
        GetLayout(dc) != 0)
        return false;
    const DWORD type = GetObjectType(dc);
    if (type == OBJ_DC)
        return trueColourBits(GetDeviceCaps(dc, BITSPIXEL)) && !(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE);
    if (type != OBJ_MEMDC)
        return false;
    DIBSECTION surface;
    std::memset(&surface, 0, sizeof surface);
    const int size = GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof surface, &surface);
    if (size == static_cast<int>(sizeof surface) && surface.dsBmih.biCompression != BI_RGB)
        return false;
    return size != 0 && trueColourBits(surface.dsBm.bmBitsPixel);
}

// The colours of the cached pens in the order leading, trailing per level;
// false for a pen the cache does not hold or a colour that is not plain RGB.
bool penColours(int levels, const HPEN* leading, const HPEN* trailing, COLORREF* colours)
{
    for (int i = 0; i < 2 * levels; ++i) {
        const HPEN pen = i % 2 == 0 ? leading[i / 2] : trailing[i / 2];
        const GdiCacheEntry* entry = gdiCacheFind(application.penList(), pen);
        if (entry == nullptr || (entry->colour >> 24) != 0)
            return false;
        colours[i] = entry->colour;
    }
    return true;
}

} // namespace

void BevelSides::release(Image& image)
{
    image.selection.reset();
    image.dc.reset();
    image.bitmap.reset();
}

bool BevelSides::copy(HDC dc, const RECT& r, int levels, const HPEN* leading, const HPEN* trailing)
{
    const int width = r.right - r.left + 1;
    const int height = r.bottom - r.top + 1;
    if (levels < 1 || levels > maxLevels || width < 2 * levels || height < 2 * levels ||
        levels * height < minimumColumnPixels)
        return false;
    COLORREF colours[2 * maxLevels];
    if (!penColours(levels, leading, trailing, colours) || !takesExactCopy(dc))
        return false;
    Image* image = find(levels, height, colours);
    if (image == nullptr)
        image = make(levels, height, colours, leading, trailing);
    if (image == nullptr)
        return false;
    BitBlt(dc, r.left, r.top, levels, height, image->dc.get(), 0, 0, SRCCOPY);
    BitBlt(dc, r.right - levels + 1, r.top, levels, height, image->dc.get(), levels, 0, SRCCOPY);
    return true;
}

BevelSides::Image* BevelSides::find(int levels, int height, const COLORREF* colours)
{
    for (Image& image : images) {
        if (image.dc && image.levels == levels && image.height == height &&
            std::memcmp(image.colours, colours, 2 * levels * sizeof(COLORREF)) == 0)
            return &image;
    }
    return nullptr;
}

// The image is the bevel itself drawn 2 x levels wide: its left and right
// halves hold, row for row, what the lines set in the outer columns of the
// same bevel at any width.
BevelSides::Image* BevelSides::make(int levels, int height, const COLORREF* colours, const HPEN* leading,
                                    const HPEN* trailing)
{
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 2 * levels;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Image& image = images[nextImage];
    release(image);
    image.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (image.bitmap)
        image.dc.reset(CreateCompatibleDC(nullptr));
    if (!image.dc) {
        release(image);
        return nullptr;
    }
    nextImage = (nextImage + 1) % imageCount;
    image.selection.emplace(image.dc.get(), image.bitmap.get());
    image.levels = levels;
    image.height = height;
    std::memcpy(image.colours, colours, 2 * levels * sizeof(COLORREF));
    // No cached pen stays selected in a DC that outlives this call.
    const SelectGuard pens(image.dc.get(), leading[0]);
    RECT level = {0, 0, 2 * levels - 1, height - 1};
    for (int i = 0; i < levels; ++i) {
        drawBevelLevel(image.dc.get(), level, leading[i], trailing[i]);
        level = {level.left + 1, level.top + 1, level.right - 1, level.bottom - 1};
    }
    return &image;
}
