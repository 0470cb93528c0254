// Common base of the device-independent bitmaps: a DIB section selected into
// its own memory device context, addressable row by row in memory.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/OwnedGdiObject.h"
#include "toolkit/MemoryDC.h"
#include "toolkit/SelectGuard.h"

class DibBitmap {
public:
    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    // Writes size bytes; true only when every byte was written.
    virtual bool writeBits(HANDLE file, const void* buffer, DWORD size);
    virtual ~DibBitmap();
    // BitBlt of the source part (the whole image when source is null) to (x, y).
    virtual BOOL draw(HDC dc, int x, int y, const RECT* source, DWORD rop);
    virtual BOOL stretchDraw(HDC dc, const RECT& target, DWORD rop);
    // Stretched to width x height, or at its own size when both are 0;
    // pixels of the key colour are left out.
    virtual BOOL drawTransparent(HDC dc, int x, int y, COLORREF key, int width, int height);
    // Row y counted from the top, or null when y is outside the image.
    virtual BYTE* row(int y) const;

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    HDC dc() const { return dc_.get(); }
    BYTE* bits() const { return bits_; }

    // Writes the image as a BMP file; false on any failure (a file already
    // created stays with whatever was written).
    bool saveBmp(const char* fileName);

protected:
    // Makes the memory context; the subclass then calls createSection.
    DibBitmap(int width, int height);
    // Creates the DIB section for the header's rounded width and selects it;
    // throws the integer 1 when no section or no pixel memory results.
    void createSection(BITMAPINFO* info, int bytesPerPixel);
    // The DIB width: the asked width rounded up to a multiple of 4 pixels.
    static int roundedWidth(int width) { return (width + 3) & ~3; }

private:
    bool writeHeaders(HANDLE file, const DIBSECTION& section);

    // In this order, so that the section is selected out before the DC and it go.
    OwnedGdiObject<HBITMAP> bitmap_;
    MemoryDC dc_;
    std::optional<SelectGuard> selection_;
    BYTE* bits_ = nullptr;
    int stride_ = 0;
    int width_;
    int height_;
};
