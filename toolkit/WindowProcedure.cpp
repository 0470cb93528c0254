#include "toolkit/WindowProcedure.h"

#include "toolkit/Application.h"
#include "toolkit/Component.h"
#include "toolkit/LifeGuard.h"

namespace {

Component* boundObject(HWND window)
{
    return reinterpret_cast<Component*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void traceEscapedException(UINT message)
{
    char line[96];
    wsprintfA(line, "Exception escaped the handler of message 0x%04x\n", message);
    OutputDebugStringA(line);
}

}

LRESULT CALLBACK componentWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    Component* object = boundObject(window);
    if (message == WM_NCCREATE || message == WM_CREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        object = static_cast<Component*>(create->lpCreateParams);
        if (object) {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
            object->window = window;
        }
    }
    if (!object)
        return DefWindowProcA(window, message, wparam, lparam);

    LifeGuard life(*object);
    LRESULT result = 0;
    try {
        result = object->handleMessage(message, wparam, lparam);
    } catch (...) {
        traceEscapedException(message);
        result = life.alive() ? CallWindowProcA(object->previousProcedure, window, message, wparam, lparam)
                              : DefWindowProcA(window, message, wparam, lparam);
    }
    if (message == WM_DESTROY && life.alive()) {
        object->detachFromWindow();
        if (!object->isDestroying()) {
            // The window is already on its way out; the destructor must not
            // destroy it a second time from inside its own WM_DESTROY.
            object->window = nullptr;
            delete object;
        }
    }
    return result;
}

void registerComponentClass()
{
    WNDCLASSA existing;
    if (GetClassInfoA(application.instance(), Component::className(), &existing))
        return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = componentWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = Component::className();
    RegisterClassA(&windowClass);
}
