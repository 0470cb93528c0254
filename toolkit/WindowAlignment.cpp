#include "toolkit/WindowAlignment.h"

#include <cstdarg>

#include "toolkit/Window.h"

namespace {

void alignVertically(int part, const Window& reference, Window& w)
{
    switch (part) {
    case 0x10:
        w.move(w.x(), reference.y());
        break;
    case 0x20:
        w.move(w.x(), reference.y() + reference.height() - w.height());
        break;
    case 0x30:
        w.move(w.x(), reference.y());
        w.setSize(w.width(), reference.height());
        break;
    case 0x00:
        w.move(w.x(), reference.y() + reference.height() / 2 - w.height() / 2);
        break;
    default:
        break;
    }
}

void alignHorizontally(int part, const Window& reference, Window& w)
{
    switch (part) {
    case 1:
        w.move(reference.x(), w.y());
        break;
    case 2:
        w.move(reference.x() + reference.width() - w.width(), w.y());
        break;
    case 3:
        w.move(reference.x(), w.y());
        w.setSize(reference.width(), w.height());
        break;
    case 0:
        w.move(reference.x() + reference.width() / 2 - w.width() / 2, w.y());
        break;
    default:
        break;
    }
}

}

void alignWindows(int flags, Window* reference, ...)
{
    va_list windows;
    va_start(windows, reference);
    for (Window* w = va_arg(windows, Window*); w; w = va_arg(windows, Window*)) {
        if (!reference)
            continue;
        alignVertically(flags & 0x70, *reference, *w);
        alignHorizontally(flags & 7, *reference, *w);
    }
    va_end(windows);
}

void equaliseSizes(int equalWidths, int equalHeights, ...)
{
    int widest = 0;
    int tallest = 0;
    va_list windows;
    va_start(windows, equalHeights);
    for (Window* w = va_arg(windows, Window*); w; w = va_arg(windows, Window*)) {
        widest = w->width() > widest ? w->width() : widest;
        tallest = w->height() > tallest ? w->height() : tallest;
    }
    va_end(windows);
    va_start(windows, equalHeights);
    for (Window* w = va_arg(windows, Window*); w; w = va_arg(windows, Window*)) {
        if (equalWidths)
            w->setSize(widest, w->height());
        if (equalHeights)
            w->setSize(w->width(), tallest);
    }
    va_end(windows);
}
