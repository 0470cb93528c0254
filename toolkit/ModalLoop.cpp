#include "toolkit/ModalLoop.h"

#include <windows.h>

#include "toolkit/Application.h"
#include "toolkit/LifeGuard.h"

ModalLoopEnd pumpModalMessages(const int& result, const LifeGuard& life)
{
    for (;;) {
        if (!life.alive())
            return ModalLoopEnd::WindowGone;
        if (result != 0)
            return ModalLoopEnd::Result;
        if (application.isQuitting())
            return ModalLoopEnd::Quitting;
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The main loop must still see the quit request.
            PostQuitMessage(static_cast<int>(message.wParam));
            return ModalLoopEnd::QueueEnded;
        }
        if (got == -1)
            return ModalLoopEnd::QueueEnded;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
