// The off-screen bitmap and memory DC of a double-buffered window.
#pragma once

#include <windows.h>

class BackBuffer {
public:
    BackBuffer();
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Creates a screen-compatible bitmap of that size in a new memory DC; the
    // recorded size stays 0 x 0 so that the first grow always rebuilds.
    void open(int width, int height);
    // Selects the original bitmap back, then deletes the bitmap and the DC.
    void close();
    // Rebuilds with exactly that size unless the bitmap already covers it.
    void grow(int width, int height);

    bool isOpen() const { return memoryDc != nullptr; }
    HDC dc() const { return memoryDc; }
    HBITMAP bitmap() const { return backBitmap; }
    int width() const { return backWidth; }
    int height() const { return backHeight; }

private:
    HBITMAP backBitmap;
    HGDIOBJ savedBitmap;
    HDC memoryDc;
    int backWidth;
    int backHeight;
};
