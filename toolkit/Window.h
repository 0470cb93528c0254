// The base of every visible toolkit window: inherited looks, children, focus, listeners, painting, layout, modal loop.
#pragma once

#include <windows.h>

#include "foundation/String.h"
#include "toolkit/BackBuffer.h"
#include "toolkit/BorderPenTable.h"
#include "toolkit/Component.h"
#include "toolkit/InheritMarkers.h"
#include "toolkit/WindowMessages.h"

class WindowDispatch;
class WindowLooks;

class Window : public Component {
public:
    using TimerListeners = ListenerList<Window*, UINT_PTR>;
    using MouseListeners = ListenerList<Window*, WPARAM, int, int>;
    using KeyListeners = ListenerList<Window*, WPARAM, LPARAM>;
    using CharListeners = ListenerList<Window*, WPARAM*, LPARAM>;
    using SizeListeners = ListenerList<Window*>;
    using FocusListeners = ListenerList<Window*, int>;
    using EscapeListeners = ListenerList<Window*>;
    // (source, notches, key flags, pass-on flag that a listener clears to stop the bubbling)
    using WheelListeners = ListenerList<Window*, int, int, int*>;
    using ContextMenuListeners = ListenerList<Window*, int, int>;
    // (source, key that a listener sets to 0 to swallow it, flags)
    using KeyPreviewListeners = ListenerList<Window*, WPARAM*, LPARAM>;

    // With a toolkit parent (and without WS_EX_NOPARENTNOTIFY) the window joins
    // the parent's children and inherits every look; otherwise it starts with
    // the defaults: background 0x404040, border 3 levels, contrast 70.
    Window(const char* caption, DWORD style, DWORD extendedStyle, int x, int y, int width,
           int height, HWND parentHandle);
    // Deletes the children first, then destroys the window.
    ~Window() override;

    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    // The 44 operations Window adds, in slot order.
    virtual LRESULT onEraseBackground(HDC dc);
    virtual LRESULT onPaint(HDC dc);
    virtual void onTimer(UINT_PTR id);
    virtual void onLeftButtonDown(WPARAM flags, int x, int y);
    virtual void onLeftButtonUp(WPARAM flags, int x, int y);
    virtual void onRightButtonDown(WPARAM flags, int x, int y);
    virtual void onRightButtonUp(WPARAM flags, int x, int y);
    virtual void onMouseMove(WPARAM flags, int x, int y);
    virtual void onKeyDown(WPARAM key, LPARAM flags);
    virtual void onKeyUp(WPARAM key, LPARAM flags);
    // Setting *key to 0 stops further processing of the character.
    virtual void onChar(WPARAM* key, LPARAM flags);
    virtual LRESULT onCommand(WPARAM wparam);
    virtual LRESULT onNotify(NMHDR* header);
    virtual void onSize();
    virtual void onFocus(int gained);
    virtual void onEscape();
    virtual void onMouseWheel(DWORD packedWheel, Window* source);
    virtual void onContextMenu(int x, int y);
    virtual void onChildAdded(Window* child);
    virtual void onEnable();
    virtual void onKeyPreview(Window* source, WPARAM* key, LPARAM flags);
    // Null when the children run out or when after is not a child of this window.
    virtual Window* nextChild(Window* after, int backwards);
    virtual void setRedraw(int on);
    virtual void broadcast(UINT message, WPARAM wparam, LPARAM lparam);
    virtual void getClientRect(RECT& r);
    virtual void invalidate();
    virtual void redraw();
    virtual void enable(int on);
    virtual void layoutChildren();
    // 1 when this window or one of its descendants took the focus.
    virtual int takeFocus(int backwards);
    virtual void setCursor(HCURSOR cursor);
    virtual void sizeToContent(int extraWidth, int extraHeight);
    // Each setter accepts the inherit marker; children that inherit follow.
    virtual void setFaceColour(COLORREF colour);
    virtual void setFont(HFONT font);
    virtual void setTextColour(COLORREF colour);
    virtual void setDisabledTextColour(COLORREF colour);
    // Clamped to 1..100; -1 follows the parent (on a window without parent it becomes 100).
    virtual void setBorderWidth(int width);
    virtual void setBackgroundColour(COLORREF colour);
    virtual void setBorderContrast(int contrast);
    virtual void setText(String text);
    virtual LRESULT setText(const char* text);
    virtual String getText();
    virtual LRESULT getText(char* buffer, int size);
    virtual LRESULT getTextLength();

    void show(int on);
    void move(int x, int y);
    void setSize(int width, int height);
    void setClientSize(int width, int height);
    int x() const { return left; }
    int y() const { return top; }
    int width() const { return outerWidth; }
    int height() const { return outerHeight; }
    int clientWidth() const { return innerWidth; }
    int clientHeight() const { return innerHeight; }
    int right() const { return left + outerWidth; }
    int bottom() const { return top + outerHeight; }
    POINT screenPosition() const;
    LONG style() const;
    void setStyle(LONG style);
    LONG extendedStyle() const;
    int isVisible() const;
    int isEnabled() const;
    void startTimer(UINT_PTR id, UINT milliseconds);
    void stopTimer(UINT_PTR id);
    void setDock(DockMode mode);
    DockMode dock() const { return dockMode; }
    void setContainerFocus(int on) { containerFocus = on; }
    int hasContainerFocus() const { return containerFocus; }
    void setKeyPreviewForwarding(int on) { keyPreviewForwarding = on; }
    int forwardsKeyPreview() const { return keyPreviewForwarding; }
    Window* topLevel();

    // Effective looks: the own value unless it is the inherit marker and there
    // is a parent, else the parent's effective value.
    COLORREF backgroundColour() const;
    COLORREF faceColour() const;
    COLORREF textColour() const;
    COLORREF disabledTextColour() const;
    HFONT font() const;
    HBRUSH hollowBrush() const;
    HBRUSH backgroundBrush() const;
    HBRUSH faceBrush() const;
    HPEN darkDotPen() const;
    HPEN lightDotPen() const;
    int borderWidth() const;
    int borderContrast() const;
    // Null for a level outside the table.
    HPEN lightBorderPen(int level) const;
    HPEN darkBorderPen(int level) const;

    // The stored values, which may be the inherit marker.
    COLORREF ownBackgroundColour() const { return background; }
    COLORREF ownFaceColour() const { return face; }
    COLORREF ownTextColour() const { return text; }
    HFONT ownFont() const { return ownFontHandle; }
    int ownBorderWidth() const { return borderLevels; }
    int ownBorderContrast() const { return contrast; }
    int textHeight() const { return fontHeight; }

    void registerTooltip(int tracking);
    void setTooltipText(const char* text);
    LRESULT getTooltipText(char* buffer, int size);
    int isTooltipRegistered() const { return tooltipRegistered; }

    // A null caption means the program's file name up to its first dot.
    int messageBox(String text, UINT flags, const char* caption = nullptr);
    // Style 1 raised edge, 2 etched rounded, 3 sunken, 4 raised bevel; after
    // 3 and 4 r is the area inside the frame.
    void drawFrame(HDC dc, RECT& r, int style);

    // Shows the window, disables its owner and dispatches until endModal, a
    // close, a quit or WM_QUIT; a WM_QUIT is posted again for the main loop.
    int runModal();
    void endModal(int result);
    int isModal() const { return modal; }
    int modalResult() const { return modalValue; }

    void setDoubleBuffered(int on);
    int isDoubleBuffered() const { return doubleBuffered; }
    const BackBuffer& backBuffer() const { return back; }

    Window* firstChild() const { return first; }
    Window* focusedChild() const { return focused; }
    // Focus memory: the child that last held the focus, or null.
    void rememberChild(Window* child) { focused = child; }
    int containsChild(const Window* child);
    // Appends the child to the ring and posts TKM_CHILDADDED to this window.
    void addChild(Window* child);
    // Nothing happens when the child is not in the ring.
    void removeChild(Component* child);
    int isActive() const { return active; }
    // Whether this window holds the keyboard focus, as its WM_SETFOCUS and
    // WM_KILLFOCUS told it: GetFocus asks the server, which painting cannot afford.
    int hasKeyboardFocus() const { return keyboardFocus; }
    HCURSOR cursor() const { return cursorHandle; }
    WPARAM paintArgument() const { return paintWparam; }

    // Whether that pointer is a Window not yet deleted; for pointers that
    // travelled in posted messages.
    static bool exists(const Window* window);

    // 1 while Shift is down by the key state of the message being handled.
    static int shiftHeld();

    template <typename Owner>
    void addTimerListener(Owner* o, void (*f)(Owner*, Window*, UINT_PTR)) { timerListeners.add(o, f); }
    template <typename Owner>
    void addLeftButtonDownListener(Owner* o, void (*f)(Owner*, Window*, WPARAM, int, int)) { leftButtonDownListeners.add(o, f); }
    template <typename Owner>
    void addLeftButtonUpListener(Owner* o, void (*f)(Owner*, Window*, WPARAM, int, int)) { leftButtonUpListeners.add(o, f); }
    template <typename Owner>
    void addMouseMoveListener(Owner* o, void (*f)(Owner*, Window*, WPARAM, int, int)) { mouseMoveListeners.add(o, f); }
    template <typename Owner>
    void addKeyDownListener(Owner* o, void (*f)(Owner*, Window*, WPARAM, LPARAM)) { keyDownListeners.add(o, f); }
    template <typename Owner>
    void addKeyUpListener(Owner* o, void (*f)(Owner*, Window*, WPARAM, LPARAM)) { keyUpListeners.add(o, f); }
    template <typename Owner>
    void addCharListener(Owner* o, void (*f)(Owner*, Window*, WPARAM*, LPARAM)) { charListeners.add(o, f); }
    template <typename Owner>
    void addSizeListener(Owner* o, void (*f)(Owner*, Window*)) { sizeListeners.add(o, f); }
    template <typename Owner>
    void addFocusListener(Owner* o, void (*f)(Owner*, Window*, int)) { focusListeners.add(o, f); }
    template <typename Owner>
    void addEscapeListener(Owner* o, void (*f)(Owner*, Window*)) { escapeListeners.add(o, f); }
    template <typename Owner>
    void addMouseWheelListener(Owner* o, void (*f)(Owner*, Window*, int, int, int*)) { wheelListeners.add(o, f); }
    template <typename Owner>
    void addContextMenuListener(Owner* o, void (*f)(Owner*, Window*, int, int)) { contextMenuListeners.add(o, f); }
    template <typename Owner>
    void addKeyPreviewListener(Owner* o, void (*f)(Owner*, Window*, WPARAM*, LPARAM)) { keyPreviewListeners.add(o, f); }

    // Takes every listener of that owner out of all thirteen lists.
    void removeListeners(const void* owner);

protected:
    // For derived classes that keep listener lists of their own: walk them
    // inside this lock with a LifeGuard of the window.
    ListLock& listenerLock() { return listeners; }
    void refreshGeometry();
    void setModalResult(int result) { modalValue = result; }

private:
    friend class Component;
    friend class WindowDispatch;
    friend class WindowLooks;

    void unregisterTooltip();
    void deleteOwnedPopups();

    Window* focused;
    Window* first;
    COLORREF background;
    COLORREF face;
    COLORREF text;
    HFONT ownFontHandle;
    int borderLevels;
    BorderPenTable borderPens;
    HBRUSH backgroundBrushHandle;
    HBRUSH faceBrushHandle;
    HPEN darkDotPenHandle;
    HPEN lightDotPenHandle;
    HBRUSH hollowBrushHandle;
    int tooltipRegistered;
    int fontHeight;
    int modalValue;
    int doubleBuffered;
    BackBuffer back;
    int modal;
    int containerFocus;
    int keyPreviewForwarding;
    HCURSOR cursorHandle;
    int disabled;
    COLORREF disabledText;
    int contrast;
    DockMode dockMode;
    int active;
    int left;
    int top;
    int outerWidth;
    int outerHeight;
    int innerWidth;
    int innerHeight;
    WPARAM paintWparam;
    // Popups that name this window as parent without being in its ring.
    int ownedPopups;
    int keyboardFocus;
    ListLock listeners;
    TimerListeners timerListeners;
    MouseListeners leftButtonDownListeners;
    MouseListeners leftButtonUpListeners;
    MouseListeners mouseMoveListeners;
    KeyListeners keyDownListeners;
    KeyListeners keyUpListeners;
    CharListeners charListeners;
    SizeListeners sizeListeners;
    FocusListeners focusListeners;
    EscapeListeners escapeListeners;
    WheelListeners wheelListeners;
    ContextMenuListeners contextMenuListeners;
    KeyPreviewListeners keyPreviewListeners;
};
