#include "controls/ControlBitmap.h"

#include "toolkit/SelectGuard.h"
#include "toolkit/WindowDC.h"

namespace {

class ScratchDc {
public:
    explicit ScratchDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~ScratchDc() { if (dc_ != nullptr) DeleteDC(dc_); }
    ScratchDc(const ScratchDc&) = delete;
    ScratchDc& operator=(const ScratchDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

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
    memory_ = CreateCompatibleDC(windowDc.handle());
    if (memory_ == nullptr)
        return false;
    previous_ = SelectObject(memory_, bitmap_.get());
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
    if (memory_ != nullptr) {
        SelectObject(memory_, previous_);
        DeleteDC(memory_);
        memory_ = nullptr;
        previous_ = nullptr;
    }
    bitmap_.reset();
    disabled_.reset();
}

bool ControlBitmap::select(bool disabled, SIZE& size)
{
    const HBITMAP image = disabled ? disabled_.get() : bitmap_.get();
    if (memory_ == nullptr || image == nullptr)
        return false;
    SelectObject(memory_, image);
    size = bitmapSize(image);
    return true;
}

void ControlBitmap::buildDisabled(HDC windowDc, COLORREF colour)
{
    const SIZE size = bitmapSize(bitmap_.get());
    disabled_.reset(CreateCompatibleBitmap(windowDc, size.cx, size.cy));
    ScratchDc target(windowDc);
    if (!disabled_ || target.get() == nullptr)
        return;
    SelectGuard selection(target.get(), disabled_.get());
    const COLORREF key = GetPixel(memory_, 0, 0);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF shown = GetPixel(memory_, x, y) == key ? RGB(0, 0, 0) : colour;
            SetPixelV(target.get(), x, y, shown);
        }
    }
}

void ControlBitmap::deselectDisabled()
{
    if (memory_ != nullptr && GetCurrentObject(memory_, OBJ_BITMAP) == disabled_.get())
        SelectObject(memory_, bitmap_.get());
}
