#include "toolkit/Component.h"

#include "toolkit/ClassTags.h"
#include "toolkit/LifeGuard.h"
#include "toolkit/Window.h"
#include "toolkit/WindowProcedure.h"

Component::Component(const char* caption, DWORD style, DWORD extendedStyle, int x, int y, int width,
                     int height, HWND parentHandle)
    : destroying(0),
      window(nullptr),
      previousProcedure(DefWindowProcA),
      parentWindow(nullptr),
      joinedParent(0),
      previous(this),
      next(this),
      lifeGuards(nullptr)
{
    setClassTag(ClassTag::Component);
    registerComponentClass();
    // Joining the parent's children is left to Window: only windows are
    // children, and while this constructor runs the object is not one yet.
    HWND created = CreateWindowExA(extendedStyle, className(), caption, style, x, y, width, height,
                                   parentHandle, nullptr, GetModuleHandleA(nullptr), this);
    window = created;
}

Component::~Component()
{
    destroying = 1;
    LifeGuard::endAll(lifeGuards);
    // An owned popup is not among its owner's children and must not touch
    // the owner, which may be half destroyed when the popup goes with it.
    if (parentWindow && joinedParent)
        parentWindow->removeChild(this);
    HWND own = window;
    detachFromWindow();
    window = nullptr;
    if (own)
        DestroyWindow(own);
}

void Component::setNextSibling(Component* sibling)
{
    if (sibling == next)
        return;
    next = sibling;
    if (sibling)
        sibling->setPrevSibling(this);
}

void Component::setPrevSibling(Component* sibling)
{
    if (sibling == previous)
        return;
    previous = sibling;
    if (sibling)
        sibling->setNextSibling(this);
}

int Component::isDestroying()
{
    return destroying;
}

LRESULT Component::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    MessageRecord record = {message, wparam, lparam, 0, 0};
    // What the last step needs is copied first: a hook may delete this object.
    const HWND own = window;
    const WNDPROC procedure = previousProcedure;
    LifeGuard life(*this);
    hooks.invoke(hookLock, life, this, record);
    if (record.handled)
        return record.result;
    return CallWindowProcA(procedure, own, message, wparam, lparam);
}

namespace {

// A window goes through the toolkit's procedure when its class is the toolkit's
// own (a tooltip that subclasses it puts its procedure in front) or when
// attachHandle installed it. Only such a window's user data was written by the
// toolkit; any other window's may point anywhere, or into another process.
bool runsToolkitProcedure(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return false;
    const LONG_PTR ours = reinterpret_cast<LONG_PTR>(componentWindowProcedure);
    return GetWindowLongPtrA(window, GWLP_WNDPROC) == ours ||
           static_cast<LONG_PTR>(GetClassLongPtrA(window, GCLP_WNDPROC)) == ours;
}

}

Component* Component::fromHandle(HWND handle)
{
    if (!handle || !runsToolkitProcedure(handle))
        return nullptr;
    const LONG_PTR value = GetWindowLongPtrA(handle, GWLP_USERDATA);
    if (value == 0)
        return nullptr;
    Component* candidate = reinterpret_cast<Component*>(value);
    const Object* object = candidate;
    return ClassTag::isToolkitTag(object->classTag()) ? candidate : nullptr;
}

void Component::attachHandle(HWND w)
{
    HWND own = window;
    // Unbound, the window's WM_DESTROY no longer reaches the object, so the
    // tooltip tool kept by the old handle is taken off here.
    if (Window* visible = dynamic_cast<Window*>(this))
        visible->unregisterTooltip();
    detachFromWindow();
    if (own)
        DestroyWindow(own);
    window = w;
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previousProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC));
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(componentWindowProcedure));
    if (parentWindow)
        SendMessageA(parentWindow->handle(), WM_PARENTNOTIFY, WM_CREATE, reinterpret_cast<LPARAM>(w));
}

void Component::detachFromWindow()
{
    if (!window)
        return;
    if (GetWindowLongPtrA(window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    const LONG_PTR ours = reinterpret_cast<LONG_PTR>(componentWindowProcedure);
    if (previousProcedure != DefWindowProcA && GetWindowLongPtrA(window, GWLP_WNDPROC) == ours)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure));
    previousProcedure = DefWindowProcA;
}

const char* Component::className()
{
    return "myComponent";
}
