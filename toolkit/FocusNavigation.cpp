#include "toolkit/FocusNavigation.h"

#include "toolkit/LifeGuard.h"
#include "toolkit/Window.h"
#include "toolkit/WindowMessages.h"

namespace {

void report(Window& window)
{
    HWND own = window.handle();
    SendMessageA(own, TKM_FOCUSCHILD, reinterpret_cast<WPARAM>(own), reinterpret_cast<LPARAM>(own));
}

}

int takeFocusInTree(Window& window, int backwards)
{
    const bool hasChildren = window.firstChild() != nullptr;
    if (hasChildren) {
        Window* remembered = window.focusedChild();
        if (remembered && remembered != &window && remembered->takeFocus(backwards))
            return 1;
        for (Window* c = window.nextChild(remembered, backwards); c; c = window.nextChild(c, backwards)) {
            if (c->takeFocus(backwards))
                return 1;
        }
    }
    // Without container focus a window with children never holds the focus itself.
    if ((hasChildren && !window.hasContainerFocus()) || !window.isVisible() || !window.isEnabled()
        || !(window.style() & WS_TABSTOP))
        return 0;
    SetFocus(window.handle());
    window.onFocus(1);
    return 1;
}

void focusArrived(Window& window)
{
    if (!window.firstChild()) {
        report(window);
        return;
    }
    Window* remembered = window.focusedChild();
    if (remembered && remembered != &window) {
        if (!remembered->takeFocus(0))
            report(window);
        return;
    }
    LifeGuard life(window);
    for (Window* c = window.nextChild(nullptr, 0); c; c = window.nextChild(c, 0)) {
        window.rememberChild(c);
        if (c->takeFocus(0))
            return;
        if (!life.alive())
            return;
    }
    window.rememberChild(nullptr);
    report(window);
}

void focusChildReported(Window& window, WPARAM arrived, LPARAM sender)
{
    Window* parent = window.parent();
    HWND own = window.handle();
    if (arrived) {
        Component* reporter = Component::fromHandle(reinterpret_cast<HWND>(sender));
        for (Window* c = window.nextChild(nullptr, 0); c; c = window.nextChild(c, 0)) {
            if (c == reporter) {
                window.rememberChild(c);
                break;
            }
        }
        if (parent)
            SendMessageA(parent->handle(), TKM_FOCUSCHILD, reinterpret_cast<WPARAM>(own), reinterpret_cast<LPARAM>(own));
        return;
    }
    window.rememberChild(nullptr);
    if (parent)
        SendMessageA(parent->handle(), TKM_FOCUSCHILD, 0, reinterpret_cast<LPARAM>(own));
}

void tabToNext(Window& window, int backwards)
{
    Window* p = window.focusedChild();
    do {
        p = window.nextChild(p, backwards);
    } while (p && !p->takeFocus(backwards));
    if (p) {
        window.rememberChild(p);
        return;
    }
    const bool popup = (window.style() & WS_POPUP) != 0;
    HWND own = window.handle();
    if (window.parent() && !popup) {
        SendMessageA(window.parent()->handle(), TKM_TABNEXT, static_cast<WPARAM>(backwards), reinterpret_cast<LPARAM>(own));
        return;
    }
    // Wrapping: with nothing remembered the whole ring was just tried.
    if (!window.focusedChild())
        return;
    window.rememberChild(nullptr);
    SendMessageA(own, TKM_TABNEXT, static_cast<WPARAM>(backwards), reinterpret_cast<LPARAM>(own));
}
