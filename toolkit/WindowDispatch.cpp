#include "toolkit/WindowDispatch.h"

#include "toolkit/ClassTags.h"
#include "toolkit/FocusNavigation.h"
#include "toolkit/LifeGuard.h"
#include "toolkit/Window.h"
#include "toolkit/WindowDC.h"

namespace {

int mouseX(LPARAM lparam)
{
    return static_cast<short>(LOWORD(static_cast<DWORD>(lparam)));
}

int mouseY(LPARAM lparam)
{
    return static_cast<short>(HIWORD(static_cast<DWORD>(lparam)));
}

LPARAM handleParameter(const Window& window)
{
    return reinterpret_cast<LPARAM>(window.handle());
}

}

LRESULT WindowDispatch::dispatch(Window& w, UINT message, WPARAM wparam, LPARAM lparam)
{
    LifeGuard life(w);
    bool done = false;
    LRESULT result = 0;
    switch (message) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        sizeChanged(w);
        break;
    case WM_ACTIVATE:
        SendMessageA(w.handle(), TKM_ACTIVATE, wparam, handleParameter(w));
        break;
    case WM_SETFOCUS:
        w.keyboardFocus = 1;
        focusArrived(w);
        break;
    case WM_KILLFOCUS:
        w.keyboardFocus = 0;
        w.onFocus(0);
        if (life.alive() && w.active)
            SendMessageA(w.handle(), TKM_FOCUSCHILD, 0, handleParameter(w));
        break;
    case WM_ENABLE:
        enableChanged(w, wparam, false);
        break;
    case WM_PAINT:
        paint(w, wparam);
        return 0;
    case WM_CLOSE:
        if (w.modal) {
            w.modalValue = -1;
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return eraseBackground(w, reinterpret_cast<HDC>(wparam));
    case WM_SHOWWINDOW:
        SendMessageA(w.handle(), TKM_SHOW, wparam, handleParameter(w));
        break;
    case WM_SETCURSOR:
        if (w.cursorHandle) {
            if (GetCursor() != w.cursorHandle)
                SetCursor(w.cursorHandle);
            return 1;
        }
        break;
    case WM_NOTIFY: {
        result = w.Component::handleMessage(message, wparam, lparam);
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
        if (!header)
            return result;
        return SendMessageA(header->hwndFrom, TKM_NOTIFY, wparam, lparam);
    }
    case WM_CONTEXTMENU:
        w.onContextMenu(mouseX(lparam), mouseY(lparam));
        return 0;
    case WM_KEYDOWN:
        keyDown(w, wparam, lparam);
        break;
    case WM_KEYUP:
        w.onKeyUp(wparam, lparam);
        break;
    case WM_CHAR:
        result = character(w, wparam, lparam, done);
        if (done)
            return result;
        break;
    case WM_COMMAND:
        if (lparam)
            return SendMessageA(reinterpret_cast<HWND>(lparam), TKM_COMMAND, wparam, lparam);
        break;
    case WM_TIMER:
        w.onTimer(wparam);
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return colourChildControl(w, message, wparam, lparam);
    case WM_MOUSEMOVE:
        w.onMouseMove(wparam, mouseX(lparam), mouseY(lparam));
        break;
    case WM_LBUTTONDOWN:
        SetCapture(w.handle());
        w.onLeftButtonDown(wparam, mouseX(lparam), mouseY(lparam));
        break;
    case WM_LBUTTONUP:
        ReleaseCapture();
        w.onLeftButtonUp(wparam, mouseX(lparam), mouseY(lparam));
        break;
    case WM_RBUTTONDOWN:
        w.onRightButtonDown(wparam, mouseX(lparam), mouseY(lparam));
        break;
    case WM_RBUTTONUP:
        w.onRightButtonUp(wparam, mouseX(lparam), mouseY(lparam));
        break;
    case WM_MOUSEWHEEL:
        // The toolkit bubbles the wheel itself; default processing would hand
        // the same turn to the native parent a second time.
        w.onMouseWheel(packWheelWord(wparam), &w);
        return 0;
    default:
        if (message >= TKM_ACTIVATE && message <= TKM_ENDMODAL) {
            result = privateMessage(w, message, wparam, lparam, done);
            if (done)
                return result;
        }
        break;
    }
    if (!life.alive())
        return 0;
    return w.Component::handleMessage(message, wparam, lparam);
}

void WindowDispatch::sizeChanged(Window& w)
{
    const int oldWidth = w.innerWidth;
    const int oldHeight = w.innerHeight;
    w.refreshGeometry();
    LifeGuard life(w);
    if (oldWidth != w.innerWidth || oldHeight != w.innerHeight) {
        w.layoutChildren();
        if (!life.alive())
            return;
        if (w.doubleBuffered)
            w.back.grow(w.innerWidth, w.innerHeight);
        w.onSize();
        if (!life.alive())
            return;
    }
    if (w.dockMode != DockNone && w.parent())
        w.parent()->layoutChildren();
}

void WindowDispatch::paint(Window& w, WPARAM wparam)
{
    w.paintWparam = wparam;
    const HWND own = w.handle();
    LifeGuard life(w);
    if (!w.doubleBuffered || !w.back.isOpen() || wparam) {
        if (wparam) {
            w.onPaint(reinterpret_cast<HDC>(wparam));
            return;
        }
        const WindowDC dc(own);
        w.onPaint(dc.handle());
        return;
    }
    const WindowDC dc(own);
    HDC memory = w.back.dc();
    SendMessageA(own, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    if (life.alive())
        SendMessageA(own, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    if (life.alive())
        BitBlt(dc.handle(), 0, 0, w.innerWidth, w.innerHeight, memory, 0, 0, SRCCOPY);
    if (!life.alive())
        return;
    ValidateRgn(own, nullptr);
    SelectClipRgn(memory, nullptr);
}

LRESULT WindowDispatch::eraseBackground(Window& w, HDC dc)
{
    // The screen is only ever covered by the copy of the back bitmap.
    if (w.doubleBuffered && dc != w.back.dc())
        return 1;
    return w.onEraseBackground(dc);
}

LRESULT WindowDispatch::colourChildControl(Window& w, UINT message, WPARAM wparam, LPARAM lparam)
{
    Window* control = dynamic_cast<Window*>(Component::fromHandle(reinterpret_cast<HWND>(lparam)));
    if (!control)
        return w.Component::handleMessage(message, wparam, lparam);
    HDC dc = reinterpret_cast<HDC>(wparam);
    HBRUSH brush = control->faceBrush();
    SelectObject(dc, brush);
    if (control->font())
        SelectObject(dc, control->font());
    SetTextColor(dc, control->isEnabled() ? control->textColour() : control->disabledTextColour());
    SetBkColor(dc, control->faceColour());
    return reinterpret_cast<LRESULT>(brush);
}

void WindowDispatch::keyDown(Window& w, WPARAM key, LPARAM flags)
{
    LifeGuard life(w);
    if (w.keyPreviewForwarding) {
        w.topLevel()->onKeyPreview(&w, &key, flags);
        if (!life.alive())
            return;
    }
    if (key != 0)
        w.onKeyDown(key, flags);
}

LRESULT WindowDispatch::character(Window& w, WPARAM key, LPARAM flags, bool& done)
{
    LifeGuard life(w);
    w.onChar(&key, flags);
    if (!life.alive() || key == 0) {
        done = true;
        return 0;
    }
    if (key == VK_ESCAPE)
        PostMessageA(w.handle(), TKM_ESCAPE, 0, 0);
    return 0;
}

void WindowDispatch::enableChanged(Window& w, WPARAM enabled, bool fromParent)
{
    const int on = enabled ? 1 : 0;
    if (fromParent)
        w.disabled = !on;
    LifeGuard life(w);
    w.onEnable();
    if (!life.alive())
        return;
    // A plain Window passes WM_ENABLE on only through TKM_ENABLE from above.
    if ((fromParent || w.classTag() != ClassTag::Window) && w.isEnabled() == on)
        w.broadcast(TKM_ENABLE, enabled, handleParameter(w));
    if (life.alive())
        w.invalidate();
}

LRESULT WindowDispatch::privateMessage(Window& w, UINT message, WPARAM wparam, LPARAM lparam, bool& done)
{
    switch (message) {
    case TKM_ACTIVATE:
        // A minimise arrives as WA_INACTIVE with the minimised flag in the high
        // word; only the low word tells whether the window is active.
        w.active = LOWORD(wparam) != WA_INACTIVE;
        w.broadcast(TKM_ACTIVATE, wparam, handleParameter(w));
        break;
    case TKM_FOCUSCHILD:
        focusChildReported(w, wparam, lparam);
        break;
    case TKM_TABNEXT:
        tabToNext(w, wparam != 0);
        break;
    case TKM_ENABLE:
        enableChanged(w, wparam, true);
        break;
    case TKM_COMMAND:
        done = true;
        return w.onCommand(wparam);
    case TKM_SHOW:
        w.broadcast(TKM_SHOW, wparam, handleParameter(w));
        if (w.dockMode != DockNone && w.parent())
            w.parent()->layoutChildren();
        break;
    case TKM_ESCAPE:
        if (w.style() & WS_POPUP)
            w.onEscape();
        else
            SendMessageA(GetParent(w.handle()), TKM_ESCAPE, 0, 0);
        break;
    case TKM_NOTIFY:
        done = true;
        return w.onNotify(reinterpret_cast<NMHDR*>(lparam));
    case TKM_WHEEL: {
        // The source was posted as a pointer and may be gone by now.
        Window* source = reinterpret_cast<Window*>(lparam);
        if (Window::exists(source))
            w.onMouseWheel(static_cast<DWORD>(wparam), source);
        break;
    }
    case TKM_CHILDADDED: {
        Window* child = reinterpret_cast<Window*>(wparam);
        if (w.containsChild(child))
            w.onChildAdded(child);
        break;
    }
    case TKM_ENDMODAL:
        if (w.modal)
            w.endModal(static_cast<int>(wparam));
        else if (w.parent())
            SendMessageA(w.parent()->handle(), TKM_ENDMODAL, wparam, 0);
        break;
    default:
        break;
    }
    return 0;
}
