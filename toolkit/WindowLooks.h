// The inheritable looks of a window: default values, border pen table, and the setters that pass changes to children.
#pragma once

#include <windows.h>

class Window;

// Each setter stores the value (which may be the inherit marker), refreshes
// the pens and brushes that depend on it, and hands the marker to every
// child that inherits, so that inherited values follow.
class WindowLooks {
public:
    // The looks of a window without a toolkit parent: background 0x404040,
    // 3 border levels, contrast 70, face colour derived from them.
    static void applyDefaults(Window& w);
    // Gives back every pen and brush the window holds in the cache.
    static void releaseAll(Window& w);

    static void setFaceColour(Window& w, COLORREF colour);
    static void setFont(Window& w, HFONT font);
    static void setTextColour(Window& w, COLORREF colour);
    static void setDisabledTextColour(Window& w, COLORREF colour);
    static void setBorderWidth(Window& w, int width);
    static void setBackgroundColour(Window& w, COLORREF colour);
    static void setBorderContrast(Window& w, int contrast);

private:
    static void releaseBackgroundObjects(Window& w);
    static void acquireBackgroundObjects(Window& w);
    static void borderTableStep(Window& w, int width);
    static void rebuildBorderPens(Window& w);
    static void measureTextHeight(Window& w);
};
