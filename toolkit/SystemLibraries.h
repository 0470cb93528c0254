// DLLs outside the KnownDLLs are loaded only from the system folder. The program
// runs elevated and is often started from a folder anyone can write to, where a
// planted copy of such a DLL would otherwise be found first.
#pragma once

// The start-up steps (restrictDllSearch) sit below the toolkit, where the console
// companion reaches them too; the application still calls them first.
#include "foundation/ProcessStart.h"

#include <windows.h>

#include <commctrl.h>

// Loads a DLL given by bare file name from the system folder and never from the
// program's or the current folder; null when that fails. The module stays
// loaded for the life of the process.
HMODULE loadSystemLibrary(const char* name);

// InitCommonControlsEx of the system's COMCTL32; FALSE when it cannot be loaded.
BOOL initCommonControls(const INITCOMMONCONTROLSEX* controls);

// TransparentBlt of the system's MSIMG32; FALSE when it cannot be loaded.
BOOL transparentBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparentColour);
