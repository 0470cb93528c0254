// DLLs outside the KnownDLLs are loaded only from the system folder. The program
// runs elevated and is often started from a folder anyone can write to, where a
// planted copy of such a DLL would otherwise be found first.
#pragma once

#include <windows.h>

#include <commctrl.h>

// Makes the system folder the only folder searched for DLLs loaded by name,
// including those the system loads on the process's behalf (UXTHEME at the first
// window). Where SetDefaultDllDirectories is missing (Windows 7 without its
// loader update) it at least takes the current folder out of the search.
// Safe to call more than once; the first call should come before any window.
void restrictDllSearch();

// Makes the system folder the current folder. A program is often started with its
// own folder as the current one; kept, that would hold a folder it lies in open
// against its removal, and the current folder is a place the process must not
// look for anything.
void enterSystemFolder();

// Loads a DLL given by bare file name from the system folder and never from the
// program's or the current folder; null when that fails. The module stays
// loaded for the life of the process.
HMODULE loadSystemLibrary(const char* name);

// InitCommonControlsEx of the system's COMCTL32; FALSE when it cannot be loaded.
BOOL initCommonControls(const INITCOMMONCONTROLSEX* controls);

// TransparentBlt of the system's MSIMG32; FALSE when it cannot be loaded.
BOOL transparentBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparentColour);
