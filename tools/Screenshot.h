// Saves what the screen shows of a window, frame included, as a PNG file.
#pragma once

#include <windows.h>

// False when the capture or the file failed. Uses the system's image encoder (WIC).
bool saveWindowPng(HWND window, const wchar_t* path);
