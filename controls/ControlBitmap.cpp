#include "controls/ControlBitmap.h"

#include "toolkit/MemoryDC.h"
#include "toolkit/SelectGuard.h"
#include "toolkit/WindowDC.h"

namespace {

SIZE bitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

} // namespace

bool ControlBitmap::load(HWND window, HINSTANCE module, const char* name, COLORREF disabledColour)
{
    release();
    bitmap_.reset(LoadBitmapA(module, name));
    if (!bitmap_)
        return false;
    WindowDC windowDc(window);
    memory_.reset(CreateCompatibleDC(windowDc.handle()));
    if (!memory_)
        return false;
    original_.emplace(memory_.get(), bitmap_.get());
    buildDisabled(windowDc.handle(), disabledColour);
    return true;
}

bool ControlBitmap::loadDisabled(HINSTANCE module, const char* name)
{
    HBITMAP loaded = LoadBitmapA(module, name);
    if (loaded == nullptr)
        return false;
    deselectDisabled();
    disabled_.reset(loaded);
    return true;
}

void ControlBitmap::release()
{
    original_.reset();
    memory_.reset();
    bitmap_.reset();
    disabled_.reset();
}

bool ControlBitmap::select(bool disabled, SIZE& size)
{
    const HBITMAP image = disabled ? disabled_.get() : bitmap_.get();
    if (!memory_ || image == nullptr)
        return false;
    SelectObject(memory_.get(), image);
    size = bitmapSize(image);
    return true;
}

void ControlBitmap::buildDisabled(HDC windowDc, COLORREF colour)
{
    const SIZE size = bitmapSize(bitmap_.get());
    disabled_.reset(CreateCompatibleBitmap(windowDc, size.cx, size.cy));
    const MemoryDC target(CreateCompatibleDC(windowDc));
    if (!disabled_ || !target)
        return;
    SelectGuard selection(target.get(), disabled_.get());
    const COLORREF key = GetPixel(memory_.get(), 0, 0);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF shown = GetPixel(memory_.get(), x, y) == key ? RGB(0, 0, 0) : colour;
            SetPixelV(target.get(), x, y, shown);
        }
    }
}

void ControlBitmap::deselectDisabled()
{
    if (memory_ && GetCurrentObject(memory_.get(), OBJ_BITMAP) == disabled_.get())
        SelectObject(memory_.get(), bitmap_.get());
}
