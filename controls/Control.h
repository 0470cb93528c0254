// The base of every owner-drawn control: border, background, bitmap, caption and focus frame painted in five steps.
#pragma once

#include <windows.h>

#include "controls/Alignment.h"
#include "controls/ControlBitmap.h"
#include "toolkit/Window.h"

// How drawFrame edges the control, and how far the content is inset.
enum BorderStyle {
    BorderNone = 0,
    // One pixel, light left and top, dark right and bottom.
    BorderEdge = 1,
    // Etched rounded rectangle, inside left unfilled.
    BorderEtched = 2,
    BorderSunken = 3,
    BorderRaised = 4
};

class Control : public Window {
public:
    // Passed for the module of loadBitmap: the application's own module.
    static HINSTANCE ownModule() { return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(-1)); }

    Control(const char* caption, Window* parent, int x, int y, int width, int height, DWORD style,
            DWORD extendedStyle);
    ~Control() override;

    // Never erases: the paint steps cover the whole client area.
    LRESULT onEraseBackground(HDC dc) override;
    LRESULT onPaint(HDC dc) override;
    // The client rectangle less the border inset; styles 2 to 4 inset only
    // when the client area is at least twice the border width both ways.
    void getClientRect(RECT& r) override;

    virtual void drawFocusFrame(HDC dc, RECT rect);
    virtual void drawBorder(HDC dc, RECT rect);
    virtual void drawBackground(HDC dc, RECT rect);
    virtual void drawBitmap(HDC dc, RECT rect);
    virtual void drawText(HDC dc, RECT rect, const char* caption, int length);

    void setTextAlignment(Alignment code);
    void setBorderStyle(int style);
    void setBitmapAlignment(Alignment code);
    void setFocusFrame(int on);
    void setFaceFill(int on);
    void setHalfSizeBitmap(int on);
    int borderStyle() const { return borderStyle_; }
    Alignment textAlignment() const { return textAlignment_; }
    Alignment bitmapAlignment() const { return bitmapAlignment_; }
    int hasFocusFrame() const { return focusFrame_; }
    int faceFill() const { return faceFill_; }
    int halfSizeBitmap() const { return halfSizeBitmap_; }

    // Replaces bitmap, disabled look and memory context; false when the
    // resource could not be loaded (the control then shows no bitmap).
    bool loadBitmap(const char* name, HINSTANCE module);
    // Replaces only the disabled look; does not repaint.
    bool loadDisabledBitmap(const char* name, HINSTANCE module);
    const ControlBitmap& image() const { return image_; }
    // Resizes the control to its caption in its font plus the border.
    void fitToText();

protected:
    // Construction-time settings of subclasses, without repainting.
    void initialiseLook(int borderStyle, Alignment textAlignment);

private:
    int contentInset(const RECT& client) const;
    void drawHalfSize(HDC dc, const RECT& rect, COLORREF key, SIZE size);

    int borderStyle_ = BorderRaised;
    Alignment textAlignment_ = AlignCentre;
    Alignment bitmapAlignment_ = AlignCentre;
    int focusFrame_ = 0;
    ControlBitmap image_;
    int faceFill_ = 1;
    int halfSizeBitmap_ = 1;
};
