#include "toolkit/Window.h"

#include <unordered_set>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ClassTags.h"
#include "toolkit/DockLayout.h"
#include "toolkit/FocusNavigation.h"
#include "toolkit/FrameDrawing.h"
#include "toolkit/LifeGuard.h"
#include "toolkit/ModalLoop.h"
#include "toolkit/WindowDispatch.h"
#include "toolkit/WindowLooks.h"

namespace {

std::unordered_set<const Window*>& liveWindows()
{
    static std::unordered_set<const Window*> windows;
    return windows;
}

Window* toolkitWindow(HWND handle)
{
    return dynamic_cast<Window*>(Component::fromHandle(handle));
}

}

Window::Window(const char* caption, DWORD style, DWORD extendedStyle, int x, int y, int width, int height,
               HWND parentHandle)
    : Component(caption, style, extendedStyle, x, y, width, height, parentHandle),
      focused(nullptr),
      first(nullptr),
      background(InheritColour),
      face(InheritColour),
      text(InheritColour),
      ownFontHandle(inheritFont()),
      borderLevels(InheritValue),
      backgroundBrushHandle(inheritBrush()),
      faceBrushHandle(inheritBrush()),
      darkDotPenHandle(inheritPen()),
      lightDotPenHandle(inheritPen()),
      hollowBrushHandle(inheritBrush()),
      tooltipRegistered(0),
      fontHeight(0),
      modalValue(0),
      doubleBuffered(0),
      modal(0),
      containerFocus(0),
      keyPreviewForwarding(1),
      cursorHandle(nullptr),
      disabled(0),
      disabledText(InheritColour),
      contrast(InheritValue),
      dockMode(DockNone),
      active(0),
      left(0),
      top(0),
      outerWidth(0),
      outerHeight(0),
      innerWidth(0),
      innerHeight(0),
      paintWparam(0),
      ownedPopups(0),
      keyboardFocus(0)
{
    setClassTag(ClassTag::Window);
    liveWindows().insert(this);
    const bool joins = parentHandle && !(extendedStyle & WS_EX_NOPARENTNOTIFY);
    if (joins)
        disabled = !IsWindowEnabled(parentHandle);
    active = 1;
    refreshGeometry();
    Window* owner = toolkitWindow(parentHandle);
    if (owner) {
        setParentWindow(owner, joins ? 1 : 0);
        if (joins)
            owner->addChild(this);
        else
            ++owner->ownedPopups;
        disabled = !owner->isEnabled();
        borderPens.reset(owner->borderWidth());
    } else {
        WindowLooks::applyDefaults(*this);
    }
    cursorHandle = nullptr;
    setFont(ownFontHandle);
}

Window::~Window()
{
    markDestroying();
    deleteOwnedPopups();
    if (parent() && !inParentRing())
        --parent()->ownedPopups;
    unregisterTooltip();
    liveWindows().erase(this);
    WindowLooks::releaseAll(*this);
    setDoubleBuffered(0);
    while (first) {
        Window* child = first;
        delete child;
        // Each child leaves the ring in its destructor; a child that somehow
        // stayed would otherwise be deleted forever.
        if (first == child)
            break;
    }
}

LRESULT Window::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY)
        unregisterTooltip();
    return WindowDispatch::dispatch(*this, message, wparam, lparam);
}

// ---- virtual operations with simple base behaviour ----

LRESULT Window::onEraseBackground(HDC dc)
{
    if (classTag() != ClassTag::Window)
        return Component::handleMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT r;
    GetClientRect(handle(), &r);
    FillRect(dc, &r, backgroundBrush());
    return 1;
}

LRESULT Window::onPaint(HDC)
{
    return Component::handleMessage(WM_PAINT, paintWparam, 0);
}

void Window::onTimer(UINT_PTR id)
{
    LifeGuard life(*this);
    timerListeners.invoke(listeners, life, this, id);
}

void Window::onLeftButtonDown(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    leftButtonDownListeners.invoke(listeners, life, this, flags, x, y);
}

void Window::onLeftButtonUp(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    leftButtonUpListeners.invoke(listeners, life, this, flags, x, y);
}

void Window::onRightButtonDown(WPARAM, int, int) {}

void Window::onRightButtonUp(WPARAM, int, int) {}

void Window::onMouseMove(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    mouseMoveListeners.invoke(listeners, life, this, flags, x, y);
}

void Window::onKeyDown(WPARAM key, LPARAM flags)
{
    LifeGuard life(*this);
    keyDownListeners.invoke(listeners, life, this, key, flags);
}

void Window::onKeyUp(WPARAM key, LPARAM flags)
{
    LifeGuard life(*this);
    keyUpListeners.invoke(listeners, life, this, key, flags);
}

void Window::onChar(WPARAM* key, LPARAM flags)
{
    LifeGuard life(*this);
    if (!charListeners.invoke(listeners, life, this, key, flags))
        return;
    if (*key != VK_TAB)
        return;
    const bool child = (style() & WS_CHILD) != 0;
    HWND target = child ? GetParent(handle()) : nullptr;
    if (!target)
        target = handle();
    *key = 0;
    SendMessageA(target, TKM_TABNEXT, static_cast<WPARAM>(shiftHeld()), reinterpret_cast<LPARAM>(handle()));
}

LRESULT Window::onCommand(WPARAM)
{
    return 0;
}

LRESULT Window::onNotify(NMHDR*)
{
    return 0;
}

void Window::onSize()
{
    LifeGuard life(*this);
    sizeListeners.invoke(listeners, life, this);
}

void Window::onFocus(int gained)
{
    LifeGuard life(*this);
    focusListeners.invoke(listeners, life, this, gained);
}

void Window::onEscape()
{
    LifeGuard life(*this);
    escapeListeners.invoke(listeners, life, this);
}

void Window::onMouseWheel(DWORD packedWheel, Window* source)
{
    int passOn = 1;
    LifeGuard life(*this);
    if (!wheelListeners.invoke(listeners, life, source, wheelNotches(packedWheel), wheelKeyFlags(packedWheel), &passOn))
        return;
    if (passOn && parent())
        PostMessageA(parent()->handle(), TKM_WHEEL, packedWheel, reinterpret_cast<LPARAM>(source));
}

void Window::onContextMenu(int x, int y)
{
    if (x == -1 && y == -1) {
        POINT cursorPosition = {0, 0};
        GetCursorPos(&cursorPosition);
        x = cursorPosition.x;
        y = cursorPosition.y;
    }
    LifeGuard life(*this);
    contextMenuListeners.invoke(listeners, life, this, x, y);
}

void Window::onChildAdded(Window*) {}

void Window::onEnable() {}

void Window::onKeyPreview(Window* source, WPARAM* key, LPARAM flags)
{
    LifeGuard life(*this);
    keyPreviewListeners.invoke(listeners, life, source, key, flags);
}

// ---- children ----

Window* Window::nextChild(Window* after, int backwards)
{
    if (!first)
        return nullptr;
    if (!after)
        return backwards ? static_cast<Window*>(first->prevSibling()) : first;
    // An owned popup names this window as parent without being in the ring.
    if (after->parent() != this || !after->inParentRing())
        return nullptr;
    if (backwards)
        return after == first ? nullptr : static_cast<Window*>(after->prevSibling());
    Window* following = static_cast<Window*>(after->nextSibling());
    return following == first ? nullptr : following;
}

int Window::containsChild(const Window* child)
{
    for (Window* c = nextChild(nullptr, 0); c; c = nextChild(c, 0)) {
        if (c == child)
            return 1;
    }
    return 0;
}

void Window::addChild(Window* child)
{
    if (first) {
        Component* last = first->prevSibling();
        child->setNextSibling(first);
        child->setPrevSibling(last);
    } else {
        first = child;
    }
    PostMessageA(handle(), TKM_CHILDADDED, reinterpret_cast<WPARAM>(child), 0);
}

void Window::removeChild(Component* child)
{
    // Walked through the links alone: a child in its destructor is no longer a Window.
    bool found = false;
    Component* c = first;
    while (c) {
        if (c == child) {
            found = true;
            break;
        }
        c = c->nextSibling();
        if (c == first)
            break;
    }
    if (!found)
        return;
    Component* before = child->prevSibling();
    Component* after = child->nextSibling();
    before->setNextSibling(after);
    if (static_cast<Component*>(first) == child)
        first = static_cast<Window*>(after);
    if (static_cast<Component*>(focused) == child)
        focused = nullptr;
    if (after == child)
        first = nullptr;
    child->setNextSibling(nullptr);
    child->setPrevSibling(nullptr);
}

// A popup owned by a child control has the top-level ancestor as its real
// owner and would outlive this window, keeping a pointer to it as its parent:
// it goes with this window instead, as owned windows go with their owner.
void Window::deleteOwnedPopups()
{
    while (ownedPopups > 0) {
        Window* popup = nullptr;
        for (const Window* w : liveWindows()) {
            if (w->parent() == this && !w->inParentRing()) {
                popup = const_cast<Window*>(w);
                break;
            }
        }
        if (!popup)
            break;
        delete popup;
    }
}

void Window::broadcast(UINT message, WPARAM wparam, LPARAM lparam)
{
    // Handles, not pointers: a child may go away while an earlier one handles the message.
    std::vector<HWND> targets;
    for (Window* c = nextChild(nullptr, 0); c; c = nextChild(c, 0))
        targets.push_back(c->handle());
    for (HWND target : targets)
        SendMessageA(target, message, wparam, lparam);
}

// ---- window operations ----

void Window::setRedraw(int on)
{
    SendMessageA(handle(), WM_SETREDRAW, static_cast<WPARAM>(on), 0);
    if (on)
        RedrawWindow(handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INTERNALPAINT);
}

void Window::getClientRect(RECT& r)
{
    GetClientRect(handle(), &r);
}

void Window::invalidate()
{
    // A hidden window is painted whole when it is shown, and asking the
    // server to invalidate it costs a round trip under Wine for nothing.
    if (IsWindowVisible(handle()))
        InvalidateRect(handle(), nullptr, TRUE);
}

void Window::redraw()
{
    invalidate();
    UpdateWindow(handle());
}

void Window::enable(int on)
{
    EnableWindow(handle(), on);
}

void Window::layoutChildren()
{
    layoutDockedChildren(*this);
}

int Window::takeFocus(int backwards)
{
    return takeFocusInTree(*this, backwards);
}

void Window::setCursor(HCURSOR cursor)
{
    cursorHandle = cursor;
}

void Window::sizeToContent(int extraWidth, int extraHeight)
{
    int widest = 0;
    int tallest = 0;
    for (Window* c = nextChild(nullptr, 0); c; c = nextChild(c, 0)) {
        widest = c->right() > widest ? c->right() : widest;
        tallest = c->bottom() > tallest ? c->bottom() : tallest;
    }
    setClientSize(widest + extraWidth, tallest + extraHeight);
}

void Window::setText(String value)
{
    setText(value.cStr());
}

LRESULT Window::setText(const char* value)
{
    invalidate();
    return SendMessageA(handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
}

String Window::getText()
{
    const int length = static_cast<int>(getTextLength());
    String result(length);
    getText(result.cStr(), result.capacity());
    result.syncLength();
    return result;
}

LRESULT Window::getText(char* buffer, int size)
{
    return SendMessageA(handle(), WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer));
}

LRESULT Window::getTextLength()
{
    return SendMessageA(handle(), WM_GETTEXTLENGTH, 0, 0);
}

void Window::show(int on)
{
    ShowWindow(handle(), on ? SW_SHOW : SW_HIDE);
}

void Window::move(int x, int y)
{
    SetWindowPos(handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::setSize(int width, int height)
{
    SetWindowPos(handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::setClientSize(int width, int height)
{
    setSize(width + (outerWidth - innerWidth), height + (outerHeight - innerHeight));
}

POINT Window::screenPosition() const
{
    POINT p = {left, top};
    if (parent())
        ClientToScreen(parent()->handle(), &p);
    return p;
}

LONG Window::style() const
{
    return GetWindowLongA(handle(), GWL_STYLE);
}

void Window::setStyle(LONG value)
{
    SetWindowLongA(handle(), GWL_STYLE, value);
}

LONG Window::extendedStyle() const
{
    return GetWindowLongA(handle(), GWL_EXSTYLE);
}

int Window::isVisible() const
{
    return IsWindowVisible(handle()) ? 1 : 0;
}

int Window::isEnabled() const
{
    return !disabled && IsWindowEnabled(handle()) ? 1 : 0;
}

void Window::startTimer(UINT_PTR id, UINT milliseconds)
{
    SetTimer(handle(), id, milliseconds, nullptr);
}

void Window::stopTimer(UINT_PTR id)
{
    KillTimer(handle(), id);
}

void Window::setDock(DockMode mode)
{
    dockMode = mode;
    if (parent())
        parent()->layoutChildren();
}

Window* Window::topLevel()
{
    if (!parent() || (extendedStyle() & WS_EX_NOPARENTNOTIFY))
        return this;
    return parent()->topLevel();
}

void Window::refreshGeometry()
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(handle(), &client);
    innerWidth = client.right - client.left;
    innerHeight = client.bottom - client.top;
    RECT outer = {0, 0, 0, 0};
    GetWindowRect(handle(), &outer);
    POINT corner = {outer.left, outer.top};
    HWND nativeParent = (style() & WS_CHILD) ? GetParent(handle()) : nullptr;
    if (nativeParent)
        ScreenToClient(nativeParent, &corner);
    left = corner.x;
    top = corner.y;
    outerWidth = outer.right - outer.left;
    outerHeight = outer.bottom - outer.top;
}

bool Window::exists(const Window* window)
{
    return liveWindows().count(window) != 0;
}

int Window::shiftHeld()
{
    // The key state that came with the message being handled: a flag kept from
    // key messages misses a Shift released with Alt held or in another window.
    return GetKeyState(VK_SHIFT) < 0 ? 1 : 0;
}

void Window::removeListeners(const void* owner)
{
    timerListeners.removeOwner(owner, listeners);
    leftButtonDownListeners.removeOwner(owner, listeners);
    leftButtonUpListeners.removeOwner(owner, listeners);
    mouseMoveListeners.removeOwner(owner, listeners);
    keyDownListeners.removeOwner(owner, listeners);
    keyUpListeners.removeOwner(owner, listeners);
    charListeners.removeOwner(owner, listeners);
    sizeListeners.removeOwner(owner, listeners);
    focusListeners.removeOwner(owner, listeners);
    escapeListeners.removeOwner(owner, listeners);
    wheelListeners.removeOwner(owner, listeners);
    contextMenuListeners.removeOwner(owner, listeners);
    keyPreviewListeners.removeOwner(owner, listeners);
}

// ---- tooltips, message box, modal loop, double buffering ----

void Window::registerTooltip(int tracking)
{
    application.tooltips().addTool(handle(), tracking == 1 ? 0x31 : 0x11);
    tooltipRegistered = 1;
}

void Window::setTooltipText(const char* value)
{
    if (!tooltipRegistered)
        registerTooltip(0);
    application.tooltips().setToolText(handle(), value);
}

// The tooltip window keeps a tool after its window is gone, and a later window
// given the same handle would inherit the old tip: take it off while the handle is ours.
void Window::unregisterTooltip()
{
    if (tooltipRegistered && handle()) {
        application.tooltips().removeTool(handle());
        tooltipRegistered = 0;
    }
}

LRESULT Window::getTooltipText(char* buffer, int size)
{
    return application.tooltips().getToolText(handle(), buffer, size);
}

int Window::messageBox(String message, UINT flags, const char* caption)
{
    String title;
    if (!caption) {
        const String path = application.argument(0);
        const char* name = path.cStr();
        for (const char* p = name; *p; ++p) {
            if (*p == '\\')
                name = p + 1;
        }
        int length = 0;
        while (name[length] && name[length] != '.')
            ++length;
        title = String(name, length);
        caption = title.cStr();
    }
    return MessageBoxA(topLevel()->handle(), message.cStr(), caption, flags);
}

int Window::runModal()
{
    modalValue = 0;
    modal = 1;
    HWND ownerHandle = nullptr;
    int ownerWasEnabled = 0;
    if (parent()) {
        ownerHandle = parent()->handle();
        ownerWasEnabled = parent()->isEnabled();
        parent()->enable(0);
    }
    disabled = 0;
    show(1);
    LifeGuard life(*this);
    const ModalLoopEnd end = pumpModalMessages(modalValue, life);
    if (ownerHandle) {
        EnableWindow(ownerHandle, ownerWasEnabled);
        SetForegroundWindow(ownerHandle);
    }
    if (!life.alive())
        return -1;
    show(0);
    modal = 0;
    // Ended by WM_QUIT or a failing GetMessageA without a result: treated as a close.
    if (end == ModalLoopEnd::QueueEnded && modalValue == 0)
        modalValue = -1;
    return modalValue;
}

void Window::endModal(int result)
{
    modalValue = result;
    PostMessageA(handle(), WM_NULL, 0, 0);
}

void Window::setDoubleBuffered(int on)
{
    on = on ? 1 : 0;
    if (on == doubleBuffered)
        return;
    doubleBuffered = on;
    if (on)
        back.open(innerWidth, innerHeight);
    else
        back.close();
    invalidate();
}

// ---- inherited looks ----

COLORREF Window::backgroundColour() const
{
    return background == InheritColour && parent() ? parent()->backgroundColour() : background;
}

COLORREF Window::faceColour() const
{
    return face == InheritColour && parent() ? parent()->faceColour() : face;
}

COLORREF Window::textColour() const
{
    return text == InheritColour && parent() ? parent()->textColour() : text;
}

COLORREF Window::disabledTextColour() const
{
    return disabledText == InheritColour && parent() ? parent()->disabledTextColour() : disabledText;
}

HFONT Window::font() const
{
    return ownFontHandle == inheritFont() && parent() ? parent()->font() : ownFontHandle;
}

HBRUSH Window::hollowBrush() const
{
    return hollowBrushHandle == inheritBrush() && parent() ? parent()->hollowBrush() : hollowBrushHandle;
}

HBRUSH Window::backgroundBrush() const
{
    return backgroundBrushHandle == inheritBrush() && parent() ? parent()->backgroundBrush() : backgroundBrushHandle;
}

HBRUSH Window::faceBrush() const
{
    return faceBrushHandle == inheritBrush() && parent() ? parent()->faceBrush() : faceBrushHandle;
}

HPEN Window::darkDotPen() const
{
    return darkDotPenHandle == inheritPen() && parent() ? parent()->darkDotPen() : darkDotPenHandle;
}

HPEN Window::lightDotPen() const
{
    return lightDotPenHandle == inheritPen() && parent() ? parent()->lightDotPen() : lightDotPenHandle;
}

int Window::borderWidth() const
{
    return borderLevels == InheritValue && parent() ? parent()->borderWidth() : borderLevels;
}

int Window::borderContrast() const
{
    return contrast == InheritValue && parent() ? parent()->borderContrast() : (contrast & 0xFF);
}

HPEN Window::lightBorderPen(int level) const
{
    const HPEN pen = borderPens.light(level);
    return pen == inheritPen() && parent() ? parent()->lightBorderPen(level) : pen;
}

HPEN Window::darkBorderPen(int level) const
{
    const HPEN pen = borderPens.dark(level);
    return pen == inheritPen() && parent() ? parent()->darkBorderPen(level) : pen;
}

void Window::setFaceColour(COLORREF colour)
{
    WindowLooks::setFaceColour(*this, colour);
}

void Window::setFont(HFONT font)
{
    WindowLooks::setFont(*this, font);
}

void Window::setTextColour(COLORREF colour)
{
    WindowLooks::setTextColour(*this, colour);
}

void Window::setDisabledTextColour(COLORREF colour)
{
    WindowLooks::setDisabledTextColour(*this, colour);
}

void Window::setBorderWidth(int width)
{
    WindowLooks::setBorderWidth(*this, width);
}

void Window::setBackgroundColour(COLORREF colour)
{
    WindowLooks::setBackgroundColour(*this, colour);
}

void Window::setBorderContrast(int contrast)
{
    WindowLooks::setBorderContrast(*this, contrast);
}

void Window::drawFrame(HDC dc, RECT& r, int style)
{
    drawWindowFrame(*this, dc, r, style);
}
