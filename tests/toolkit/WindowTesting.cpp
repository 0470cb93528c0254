#include "tests/toolkit/WindowTesting.h"

#include <cstring>

namespace windowtesting {

namespace {

BOOL CALLBACK countOne(HWND window, LPARAM count)
{
    char name[32] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    if (std::strcmp(name, Component::className()) == 0)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// EnumChildWindows already reaches every descendant.
BOOL CALLBACK countComponents(HWND window, LPARAM count)
{
    countOne(window, count);
    EnumChildWindows(window, countOne, count);
    return TRUE;
}

}

int liveComponentWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countComponents, reinterpret_cast<LPARAM>(&count));
    return count;
}

Window* topLevel(DWORD style, DWORD extendedStyle)
{
    return new Window("top", style, extendedStyle, 10, 10, 200, 150, nullptr);
}

Window* child(Window* parent, int x, int y, int width, int height, DWORD style)
{
    return new Window("child", style, 0, x, y, width, height, parent->handle());
}

}
