// The root of every object bound to a native window of the class "myComponent".
#pragma once

#include <windows.h>

#include "foundation/Object.h"
#include "toolkit/ListLock.h"
#include "toolkit/ListenerList.h"
#include "toolkit/MessageRecord.h"

class Window;

// An object and its native window live and die together: deleting the object
// destroys the window, and destroying the window deletes the object.
class Component : public Object {
public:
    using MessageHook = Listener<Component*, MessageRecord&>;

    // Registers the window class on first use and creates the window; the
    // object is bound to the handle during creation. A failed creation leaves
    // the handle null.
    Component(const char* caption, DWORD style, DWORD extendedStyle, int x, int y, int width,
              int height, HWND parentHandle);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // The four operations Component adds after the two of Object.
    virtual void setNextSibling(Component* sibling);
    virtual void setPrevSibling(Component* sibling);
    virtual int isDestroying();
    // Runs the message hooks, then the previous window procedure unless a hook handled it.
    virtual LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam);

    // The toolkit object bound to a window, or null for any other window.
    static Component* fromHandle(HWND window);

    // Takes over an existing native window: this object's own window is
    // destroyed (without deleting the object) and w's messages come here first.
    void attachHandle(HWND w);

    HWND handle() const { return window; }
    // For a popup owned by a toolkit window this is the owner, which does not
    // hold the popup among its children.
    Window* parent() const { return parentWindow; }
    // 1 when the object is in its parent's children ring.
    int inParentRing() const { return joinedParent; }
    Component* nextSibling() const { return next; }
    Component* prevSibling() const { return previous; }

    template <typename Owner>
    void addMessageHook(Owner* owner, void (*function)(Owner*, Component*, MessageRecord&))
    {
        hooks.add(owner, function);
    }
    void removeMessageHooks(const void* owner) { hooks.removeOwner(owner, hookLock); }

    // The window class and procedure of every toolkit window.
    static const char* className();

protected:
    // Set by the most derived destructor first, so that messages arriving
    // while the object is torn down are not dispatched to a half-gone object.
    void markDestroying() { destroying = 1; }
    void setParentWindow(Window* p, int joined)
    {
        parentWindow = p;
        joinedParent = joined;
    }
    // Forgets the handle's binding and gives an attached window its own
    // procedure back, so that the window no longer reaches this object.
    void detachFromWindow();

private:
    friend class LifeGuard;
    friend LRESULT CALLBACK componentWindowProcedure(HWND, UINT, WPARAM, LPARAM);

    int destroying;
    HWND window;
    WNDPROC previousProcedure;
    Window* parentWindow;
    int joinedParent;
    Component* previous;
    Component* next;
    ListLock hookLock;
    ListenerList<Component*, MessageRecord&> hooks;
    LifeGuard* lifeGuards;
};
