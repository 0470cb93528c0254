#include "controls/PaletteBitmap.h"

#include <cstring>

namespace {

struct PaletteBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};
static_assert(sizeof(PaletteBitmapInfo) == 1064, "40-byte header and 256 table entries");

void fillColourTable(PaletteBitmapInfo& info, const LOGPALETTE* palette)
{
    const int given = palette != nullptr ? palette->palNumEntries : 0;
    for (int j = 0; j < 256; ++j) {
        RGBQUAD& entry = info.colours[j];
        if (j < given) {
            const PALETTEENTRY& source = palette->palPalEntry[j];
            entry = {source.peBlue, source.peGreen, source.peRed, source.peFlags};
        } else {
            const BYTE grey = static_cast<BYTE>(j);
            entry = {grey, grey, grey, 0};
        }
    }
}

// RC_PALETTE: the device shows colours through a system palette.
bool isPaletteDevice(HDC dc)
{
    return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
}

// Selects a palette into a target as background palette for one drawing.
class PaletteSelection {
public:
    PaletteSelection(HDC dc, HPALETTE palette)
        : dc_(dc), previous_(SelectPalette(dc, palette, TRUE))
    {
        RealizePalette(dc);
    }
    ~PaletteSelection() { if (previous_ != nullptr) SelectPalette(dc_, previous_, TRUE); }
    PaletteSelection(const PaletteSelection&) = delete;
    PaletteSelection& operator=(const PaletteSelection&) = delete;

private:
    HDC dc_;
    HPALETTE previous_;
};

} // namespace

PaletteBitmap::PaletteBitmap(int width, int height, const LOGPALETTE* palette)
    : DibBitmap(width, height)
{
    PaletteBitmapInfo info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 256;
    fillColourTable(info, palette);
    createSection(reinterpret_cast<BITMAPINFO*>(&info), 1);
    std::memset(bits(), 0, static_cast<size_t>(stride()) * static_cast<size_t>(height));
    if (palette != nullptr)
        palette_.reset(CreatePalette(palette));
}

PaletteBitmap::~PaletteBitmap()
{
    if (originalPalette_ != nullptr)
        SelectPalette(dc(), originalPalette_, TRUE);
}

bool PaletteBitmap::selectsPalette(HDC target) const
{
    return palette_ && isPaletteDevice(target);
}

BOOL PaletteBitmap::draw(HDC target, int x, int y, const RECT* source, DWORD rop)
{
    if (!selectsPalette(target))
        return DibBitmap::draw(target, x, y, source, rop);
    PaletteSelection selection(target, palette_.get());
    return DibBitmap::draw(target, x, y, source, rop);
}

BOOL PaletteBitmap::stretchDraw(HDC target, const RECT& rect, DWORD rop)
{
    if (!selectsPalette(target))
        return DibBitmap::stretchDraw(target, rect, rop);
    PaletteSelection selection(target, palette_.get());
    return DibBitmap::stretchDraw(target, rect, rop);
}

int PaletteBitmap::setPixel(int x, int y, BYTE index)
{
    BYTE* line = row(y);
    if (line == nullptr || x < 0 || x >= width())
        return 0;
    line[x] = index;
    return 1;
}

BYTE PaletteBitmap::pixel(int x, int y) const
{
    const BYTE* line = row(y);
    if (line == nullptr || x < 0 || x >= width())
        return 0;
    return line[x];
}

int PaletteBitmap::setPalette(HPALETTE palette)
{
    const HPALETTE previous = SelectPalette(dc(), palette, TRUE);
    if (previous == nullptr)
        return 0;
    // The first selection hands out the context's own palette, which goes
    // back before the context is deleted.
    if (originalPalette_ == nullptr)
        originalPalette_ = previous;
    RealizePalette(dc());
    palette_.reset(palette);
    return 1;
}

UINT PaletteBitmap::setColour(UINT index, BYTE red, BYTE green, BYTE blue)
{
    const RGBQUAD entry = {blue, green, red, 0};
    return SetDIBColorTable(dc(), index, 1, &entry);
}

UINT PaletteBitmap::setColours(UINT first, UINT count, const RGBQUAD* entries)
{
    return SetDIBColorTable(dc(), first, count, entries);
}
