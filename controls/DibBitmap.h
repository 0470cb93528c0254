// Common base of the device-independent bitmaps: a DIB section selected into
// its own memory device context, addressable row by row in memory.
#pragma once

#include <windows.h>

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

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }
    HDC dc() const { return m_dc; }
    BYTE* bits() const { return m_bits; }

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

    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    BYTE* m_bits = nullptr;
    int m_stride = 0;
    int m_width;
    int m_height;
};
