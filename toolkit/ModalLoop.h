// The message loop that runs while a window is modal.
#pragma once

class LifeGuard;

enum class ModalLoopEnd {
    Result,      // the result became non-zero
    Quitting,    // the application's quit flag is set
    WindowGone,  // the modal window was deleted meanwhile
    QueueEnded   // WM_QUIT arrived (posted again for the main loop) or GetMessageA failed
};

// Dispatches the thread's messages until result is non-zero, the application
// quits, the window behind life is deleted or the queue ends. It never spins:
// every way out of GetMessageA that is not a message ends the loop.
ModalLoopEnd pumpModalMessages(const int& result, const LifeGuard& life);
