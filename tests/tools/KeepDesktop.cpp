// Started by the test command before the suite and ended with the wineserver.
// Its hidden window makes Wine start the prefix's desktop process here, so the
// desktop inherits this program's output instead of holding a test's output
// pipe open, and as a user of the desktop it keeps that process up between
// test programs (Wine closes a desktop a second after its last user leaves).
#include <windows.h>

#include <cstdio>

int main()
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr)
        return 1;
    // Creating the first window waited for the desktop; the test command waits for this line.
    std::puts("desktop ready");
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    DestroyWindow(window);
    return 0;
}
