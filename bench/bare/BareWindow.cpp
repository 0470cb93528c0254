// The start-up benchmark's reference: the least a Win32 program does to show a
// window like the uninstaller's (same style, position and size), paint it once
// and end. It uses no toolkit, no C++ runtime features and no resources.
#include <windows.h>

namespace {

const char className[] = "T5BareWindow";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
        EndPaint(window, &paint);
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass))
        return 1;
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    if (!CreateWindowExA(0, className, "Bare window", style, CW_USEDEFAULT, CW_USEDEFAULT, 300, 220, nullptr,
                         nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
