// Entry point of the uninstaller.
#include <windows.h>

#include "toolkit/SystemLibraries.h"

namespace {

// Explorer starts a program with its own folder as the current folder; kept,
// that would hold the installation folder open against its removal, and the
// current folder is a place the process must not look for anything.
void enterSystemFolder()
{
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        SetCurrentDirectoryA(folder);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The application object has restricted the search already while it was
    // built; saying it here keeps the rule visible where the program starts.
    restrictDllSearch();
    enterSystemFolder();
    return 0;
}
