// Entry point of the uninstaller.
#include <windows.h>

#include "app/UninstallerWindow.h"
#include "toolkit/Application.h"
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
    try {
        // Deletes itself when its window is destroyed.
        new UninstallerWindow;
    } catch (...) {
        return -1;
    }
    // The window's close ends the loop through the quit flag, after GetMessageA
    // last returned 1: that is the normal end. Only a failed GetMessageA (-1) is
    // passed on, so that a completed uninstall does not look like a failure.
    const int result = application.run();
    return result < 0 ? result : 0;
}
