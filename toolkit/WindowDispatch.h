// Turns the native messages of a toolkit window into calls of its virtual operations.
#pragma once

#include <windows.h>

class Window;

class WindowDispatch {
public:
    // Never touches the window again once a handler has deleted it.
    static LRESULT dispatch(Window& window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    static void sizeChanged(Window& window);
    static void paint(Window& window, WPARAM wparam);
    static LRESULT eraseBackground(Window& window, HDC dc);
    static LRESULT colourChildControl(Window& window, UINT message, WPARAM wparam, LPARAM lparam);
    static void keyDown(Window& window, WPARAM key, LPARAM flags);
    static LRESULT character(Window& window, WPARAM key, LPARAM flags, bool& done);
    static void enableChanged(Window& window, WPARAM enabled, bool fromParent);
    static LRESULT privateMessage(Window& window, UINT message, WPARAM wparam, LPARAM lparam, bool& done);
};
