// Entry point of the uninstaller.
#include "app/UninstallerWindow.h"
#include "foundation/ProcessStart.h"
#include "toolkit/Application.h"

#include <windows.h>


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
