#include "toolkit/BackBuffer.h"

#include "toolkit/WindowDC.h"

void BackBuffer::open(int width, int height)
{
    close();
    backBitmap.reset(CreateCompatibleBitmap(WindowDC(nullptr).handle(), width, height));
    memoryDc.reset(CreateCompatibleDC(nullptr));
    if (memoryDc && backBitmap)
        selection.emplace(memoryDc.get(), backBitmap.get());
}

void BackBuffer::close()
{
    selection.reset();
    backBitmap.reset();
    memoryDc.reset();
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
