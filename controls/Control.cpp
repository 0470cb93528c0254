#include "controls/Control.h"

#include "controls/FontSelection.h"
#include "controls/RgbBitmap.h"
#include "toolkit/Application.h"
#include "toolkit/ClassTags.h"
#include "toolkit/Drawing.h"
#include "toolkit/SelectGuard.h"
#include "toolkit/SystemLibraries.h"
#include "toolkit/WindowDC.h"

namespace {

// Longest caption painted or measured, terminator included.
constexpr int captionBufferSize = 1024;

// Keeps text colour and background mode of a DC for one scope.
class TextModeGuard {
public:
    TextModeGuard(HDC dc, COLORREF colour)
        : dc_(dc), colour_(SetTextColor(dc, colour)), mode_(SetBkMode(dc, TRANSPARENT)) {}
    ~TextModeGuard()
    {
        SetTextColor(dc_, colour_);
        SetBkMode(dc_, mode_);
    }
    TextModeGuard(const TextModeGuard&) = delete;
    TextModeGuard& operator=(const TextModeGuard&) = delete;

private:
    HDC dc_;
    COLORREF colour_;
    int mode_;
};

} // namespace

Control::Control(const char* caption, Window* parent, int x, int y, int width, int height, DWORD style,
                 DWORD extendedStyle)
    : Window(caption, style, extendedStyle, x, y, width, height, parent != nullptr ? parent->handle() : nullptr)
{
    setClassTag(ClassTag::Control);
}

Control::~Control()
{
    markDestroying();
}

void Control::initialiseLook(int borderStyle, Alignment textAlignment)
{
    borderStyle_ = borderStyle;
    textAlignment_ = textAlignment;
}

LRESULT Control::onEraseBackground(HDC)
{
    return 0;
}

LRESULT Control::onPaint(HDC dc)
{
    RECT rect;
    GetClientRect(handle(), &rect);
    drawBackground(dc, rect);
    drawBorder(dc, rect);
    getClientRect(rect);
    drawBitmap(dc, rect);
    char caption[captionBufferSize] = "";
    const int length = static_cast<int>(getText(caption, captionBufferSize));
    drawText(dc, rect, caption, length);
    if (focusFrame_ && hasKeyboardFocus())
        drawFocusFrame(dc, rect);
    // A DC handed over with the message is somebody else's surface: the
    // window's own update region was not painted, so it stays invalid, and
    // the default processing (a BeginPaint and EndPaint, which cost more
    // than the whole paint under Wine) is left out.
    if (paintArgument() != 0)
        return 0;
    return Window::onPaint(dc);
}

int Control::contentInset(const RECT& client) const
{
    if (borderStyle_ == BorderEdge)
        return 1;
    if (borderStyle_ < BorderEtched || borderStyle_ > BorderRaised)
        return 0;
    const int border = borderWidth();
    const bool roomy = client.right - client.left >= 2 * border && client.bottom - client.top >= 2 * border;
    return roomy ? border : 0;
}

void Control::getClientRect(RECT& r)
{
    Window::getClientRect(r);
    inflateRect(r, -contentInset(r));
}

void Control::drawBackground(HDC dc, RECT rect)
{
    switch (borderStyle_) {
    case BorderSunken:
        inflateRect(rect, -borderWidth());
        if (faceFill_) {
            FillRect(dc, &rect, faceBrush());
            return;
        }
        break;
    case BorderRaised:
        inflateRect(rect, -borderWidth());
        break;
    case BorderEdge:
        inflateRect(rect, -1);
        break;
    default:
        break;
    }
    FillRect(dc, &rect, backgroundBrush());
}

void Control::drawBorder(HDC dc, RECT rect)
{
    if (borderStyle_ != BorderNone)
        drawFrame(dc, rect, borderStyle_);
}

void Control::drawFocusFrame(HDC dc, RECT rect)
{
    const int cornerWidth = (rect.right - rect.left) / 5;
    const int cornerHeight = (rect.bottom - rect.top) / 5;
    // Dotted pens would fill their gaps with the background colour otherwise.
    const int mode = SetBkMode(dc, TRANSPARENT);
    {
        SelectGuard brush(dc, hollowBrush());
        SelectGuard pen(dc, darkDotPen());
        RoundRect(dc, rect.left, rect.top, rect.right - 1, rect.bottom - 1, cornerWidth, cornerHeight);
        SelectObject(dc, lightDotPen());
        RoundRect(dc, rect.left + 1, rect.top + 1, rect.right, rect.bottom, cornerWidth, cornerHeight);
    }
    SetBkMode(dc, mode);
}

void Control::drawText(HDC dc, RECT rect, const char* caption, int length)
{
    // Nothing to write: no measuring, no font, no colours.
    if (length <= 0)
        return;
    TextModeGuard mode(dc, isEnabled() ? textColour() : disabledTextColour());
    FontSelection font(dc, fontOrSystem(this->font()));
    const UINT flags = DT_NOPREFIX | horizontalTextFlag(textAlignment_);
    RECT measured = {0, 0, 0, 0};
    DrawTextA(dc, caption, length, &measured, flags | DT_CALCRECT);
    RECT placed = placeBox(rect, textAlignment_, measured.right, measured.bottom);
    // A caption larger than the content is cut on every side, so that it
    // never paints over the border whatever its alignment.
    placed.left = placed.left < rect.left ? rect.left : placed.left;
    placed.top = placed.top < rect.top ? rect.top : placed.top;
    placed.right = placed.right > rect.right ? rect.right : placed.right;
    placed.bottom = placed.bottom > rect.bottom ? rect.bottom : placed.bottom;
    DrawTextA(dc, caption, length, &placed, flags | DT_END_ELLIPSIS);
}

void Control::drawBitmap(HDC dc, RECT rect)
{
    SIZE size;
    if (!image_.select(!isEnabled(), size))
        return;
    const COLORREF key = GetPixel(image_.dc(), 0, 0);
    if (bitmapAlignment_ == AlignStretch) {
        RECT content;
        getClientRect(content);
        transparentBlt(dc, content.left, content.top, content.right - content.left, content.bottom - content.top,
                       image_.dc(), 0, 0, size.cx, size.cy, key);
    } else if (halfSizeBitmap_) {
        drawHalfSize(dc, rect, key, size);
    } else {
        const RECT placed = placeBox(rect, bitmapAlignment_, size.cx, size.cy);
        transparentBlt(dc, placed.left, placed.top, size.cx, size.cy, image_.dc(), 0, 0, size.cx, size.cy, key);
    }
}

void Control::drawHalfSize(HDC dc, const RECT& rect, COLORREF key, SIZE size)
{
    const RECT placed = placeBox(rect, bitmapAlignment_, size.cx / 2, size.cy / 2);
    try {
        RgbBitmap scratch(size.cx, size.cy);
        const RECT whole = {0, 0, size.cx, size.cy};
        const bool onFace = borderStyle_ == BorderSunken && faceFill_;
        FillRect(scratch.dc(), &whole, onFace ? faceBrush() : backgroundBrush());
        transparentBlt(scratch.dc(), 0, 0, size.cx, size.cy, image_.dc(), 0, 0, size.cx, size.cy, key);
        scratch.halveInto(scratch);
        BitBlt(dc, placed.left, placed.top, size.cx / 2, size.cy / 2, scratch.dc(), 0, 0, SRCCOPY);
    } catch (int) {
        // No scratch surface for this image: the bitmap step draws nothing.
    }
}

void Control::setTextAlignment(Alignment code)
{
    textAlignment_ = code;
    invalidate();
}

void Control::setBorderStyle(int style)
{
    borderStyle_ = style;
    invalidate();
}

void Control::setBitmapAlignment(Alignment code)
{
    bitmapAlignment_ = code;
    invalidate();
}

void Control::setFocusFrame(int on)
{
    focusFrame_ = on;
    invalidate();
}

void Control::setFaceFill(int on)
{
    faceFill_ = on;
    invalidate();
}

void Control::setHalfSizeBitmap(int on)
{
    halfSizeBitmap_ = on;
    invalidate();
}

bool Control::loadBitmap(const char* name, HINSTANCE module)
{
    if (module == ownModule())
        module = application.instance();
    if (!image_.load(handle(), module, name, disabledTextColour()))
        return false;
    invalidate();
    return true;
}

bool Control::loadDisabledBitmap(const char* name, HINSTANCE module)
{
    if (module == ownModule())
        module = application.instance();
    return image_.loadDisabled(module, name);
}

void Control::fitToText()
{
    char caption[captionBufferSize] = "";
    const int length = static_cast<int>(getText(caption, captionBufferSize));
    RECT measured = {0, 0, 0, 0};
    {
        WindowDC dc(handle());
        SelectGuard font(dc.handle(), fontOrSystem(this->font()));
        DrawTextA(dc.handle(), caption, length, &measured, DT_CALCRECT | DT_NOPREFIX | horizontalTextFlag(textAlignment_));
    }
    int extra = 0;
    if (borderStyle_ == BorderSunken || borderStyle_ == BorderRaised)
        extra = 2 * borderWidth();
    else if (borderStyle_ == BorderEtched)
        extra = 2;
    setSize(measured.right + extra, measured.bottom + extra);
}
