#include "toolkit/WindowLooks.h"

#include "toolkit/Application.h"
#include "toolkit/Drawing.h"
#include "toolkit/SelectGuard.h"
#include "toolkit/Window.h"
#include "toolkit/WindowDC.h"

namespace {

const COLORREF DefaultBackground = 0x404040;
const int DefaultBorderWidth = 3;
const int DefaultContrast = 70;
const COLORREF DefaultDisabledText = 0x808080;
const double DotShade = 0.4;

}

void WindowLooks::applyDefaults(Window& w)
{
    w.text = 0;
    w.ownFontHandle = nullptr;
    w.contrast = DefaultContrast;
    w.background = DefaultBackground;
    borderTableStep(w, DefaultBorderWidth);
    rebuildBorderPens(w);
    // The integer division comes first: 70 * 2 / 3 = 46, giving 0x626262.
    const int faceStrength = w.contrast * 2 / w.borderLevels;
    w.face = shadeColour(w.background, faceStrength / 255.0);
    acquireBackgroundObjects(w);
    w.hollowBrushHandle = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    w.faceBrushHandle = application.acquireBrush(w.face);
    w.disabledText = DefaultDisabledText;
}

void WindowLooks::releaseAll(Window& w)
{
    borderTableStep(w, 0);
    releaseBackgroundObjects(w);
    if (w.faceBrushHandle != inheritBrush())
        application.releaseBrush(w.faceBrushHandle);
    w.faceBrushHandle = inheritBrush();
}

void WindowLooks::releaseBackgroundObjects(Window& w)
{
    if (w.backgroundBrushHandle != inheritBrush())
        application.releaseBrush(w.backgroundBrushHandle);
    if (w.darkDotPenHandle != inheritPen())
        application.releaseDotPen(w.darkDotPenHandle);
    if (w.lightDotPenHandle != inheritPen())
        application.releaseDotPen(w.lightDotPenHandle);
    w.backgroundBrushHandle = inheritBrush();
    w.darkDotPenHandle = inheritPen();
    w.lightDotPenHandle = inheritPen();
}

void WindowLooks::acquireBackgroundObjects(Window& w)
{
    const COLORREF effective = w.backgroundColour();
    w.darkDotPenHandle = application.acquireDotPen(shadeColour(effective, -DotShade));
    w.lightDotPenHandle = application.acquireDotPen(shadeColour(effective, DotShade));
    w.backgroundBrushHandle = application.acquireBrush(effective);
}

void WindowLooks::borderTableStep(Window& w, int width)
{
    const int levels = width == InheritValue && w.parent() ? w.parent()->borderWidth() : width;
    w.borderPens.reset(levels);
    w.borderLevels = width;
}

void WindowLooks::rebuildBorderPens(Window& w)
{
    const int n = w.borderWidth();
    const int c = w.borderContrast();
    const bool inheritsAll =
        w.borderLevels == InheritValue && w.contrast == InheritValue && w.background == InheritColour;
    const COLORREF base = w.backgroundColour();
    for (int i = 0; i < n && i < w.borderPens.count(); ++i) {
        if (inheritsAll) {
            w.borderPens.set(i, inheritPen(), inheritPen());
            continue;
        }
        // Level 0 is the outermost and strongest.
        const double x = static_cast<double>(n - i) * c / (static_cast<double>(n) * 255.0);
        w.borderPens.set(i, application.acquirePen(shadeColour(base, x)), application.acquirePen(shadeColour(base, -x)));
    }
}

void WindowLooks::measureTextHeight(Window& w)
{
    WindowDC dc(w.handle());
    if (!dc.handle())
        return;
    const HFONT effective = w.font();
    const HGDIOBJ measured = effective ? static_cast<HGDIOBJ>(effective) : GetCurrentObject(dc.handle(), OBJ_FONT);
    const SelectGuard font(dc.handle(), measured);
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc.handle(), &metrics))
        w.fontHeight = metrics.tmHeight;
}

void WindowLooks::setFaceColour(Window& w, COLORREF colour)
{
    w.face = colour;
    if (w.faceBrushHandle != inheritBrush())
        application.releaseBrush(w.faceBrushHandle);
    w.faceBrushHandle = colour == InheritColour ? inheritBrush() : application.acquireBrush(colour);
    w.invalidate();
    for (Window* c = w.nextChild(nullptr, 0); c; c = w.nextChild(c, 0)) {
        if (c->face == InheritColour)
            c->setFaceColour(InheritColour);
    }
}

void WindowLooks::setFont(Window& w, HFONT font)
{
    w.ownFontHandle = font;
    SendMessageA(w.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(w.font()), TRUE);
    measureTextHeight(w);
    w.invalidate();
    for (Window* c = w.nextChild(nullptr, 0); c; c = w.nextChild(c, 0)) {
        if (c->ownFontHandle == inheritFont())
            c->setFont(inheritFont());
    }
}

void WindowLooks::setTextColour(Window& w, COLORREF colour)
{
    w.text = colour;
    w.invalidate();
    for (Window* c = w.nextChild(nullptr, 0); c; c = w.nextChild(c, 0)) {
        if (c->text == InheritColour)
            c->setTextColour(InheritColour);
    }
}

void WindowLooks::setDisabledTextColour(Window& w, COLORREF colour)
{
    w.disabledText = colour;
    if (!w.isEnabled())
        w.invalidate();
    for (Window* c = w.nextChild(nullptr, 0); c; c = w.nextChild(c, 0)) {
        if (c->disabledText == InheritColour)
            c->setDisabledTextColour(InheritColour);
    }
}

void WindowLooks::setBorderWidth(Window& w, int width)
{
    if (!(width == InheritValue && w.parent())) {
        // Compared without sign: -1 on a window without parent becomes 100.
        if (static_cast<unsigned>(width) > 100u)
            width = 100;
        if (width == 0)
            width = 1;
    }
    borderTableStep(w, width);
    rebuildBorderPens(w);
    for (Window* c = w.nextChild(nullptr, 0); c; c = w.nextChild(c, 0)) {
        if (c->borderLevels == InheritValue)
            c->setBorderWidth(InheritValue);
    }
    w.invalidate();
    w.layoutChildren();
}

void WindowLooks::setBackgroundColour(Window& w, COLORREF colour)
{
    w.background = colour;
    borderTableStep(w, w.borderLevels);
    releaseBackgroundObjects(w);
    rebuildBorderPens(w);
    if (!(colour == InheritColour && w.parent()))
        acquireBackgroundObjects(w);
    for (Window* c = w.nextChild(nullptr, 0); c; c = w.nextChild(c, 0)) {
        if (c->background == InheritColour)
            c->setBackgroundColour(InheritColour);
    }
    w.invalidate();
}

void WindowLooks::setBorderContrast(Window& w, int contrast)
{
    w.contrast = contrast;
    borderTableStep(w, w.borderLevels);
    rebuildBorderPens(w);
    w.invalidate();
    for (Window* c = w.nextChild(nullptr, 0); c; c = w.nextChild(c, 0)) {
        if (c->contrast == InheritValue)
            c->setBorderContrast(InheritValue);
    }
}
