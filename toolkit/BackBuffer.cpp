#include "toolkit/BackBuffer.h"

BackBuffer::BackBuffer()
    : backBitmap(nullptr), savedBitmap(nullptr), memoryDc(nullptr), backWidth(0), backHeight(0)
{
}

BackBuffer::~BackBuffer()
{
    close();
}

void BackBuffer::open(int width, int height)
{
    close();
    HDC screen = GetDC(nullptr);
    backBitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    memoryDc = CreateCompatibleDC(nullptr);
    if (memoryDc && backBitmap)
        savedBitmap = SelectObject(memoryDc, backBitmap);
}

void BackBuffer::close()
{
    if (memoryDc && savedBitmap)
        SelectObject(memoryDc, savedBitmap);
    if (backBitmap)
        DeleteObject(backBitmap);
    if (memoryDc)
        DeleteDC(memoryDc);
    backBitmap = nullptr;
    savedBitmap = nullptr;
    memoryDc = nullptr;
    // A size recorded before a switch-off says nothing about the next bitmap.
    backWidth = 0;
    backHeight = 0;
}

void BackBuffer::grow(int width, int height)
{
    if (width <= backWidth && height <= backHeight)
        return;
    open(width, height);
    backWidth = width;
    backHeight = height;
}
