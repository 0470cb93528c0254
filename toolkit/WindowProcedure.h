// The one window procedure of the class "myComponent" and the registration of that class.
#pragma once

#include <windows.h>

// Binds the handle to the object at creation, hands every message to the
// object's handleMessage and deletes the object when its window is destroyed.
// No C++ exception leaves it: one that escapes is written to the debugger
// output and the message gets default processing.
LRESULT CALLBACK componentWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Registers "myComponent" unless the module already has it; the result is not checked.
void registerComponentClass();
