#include "console/StopRequest.h"

#include "console/LogFile.h"
#include "foundation/CriticalSection.h"

#include <atomic>

namespace {

const char sessionClass[] = "VxUninstallCliSession";
// Longer than the system waits for a console or a session to close.
const DWORD endWait = 30000;

// Kept for the life of the process: a handler may still be running on its own
// thread when the object that started the watching is gone.
struct Watch {
    CriticalSection lock; // guards log
    LogFile* log = nullptr;
    std::atomic<const char*> askedBy{nullptr};
    KernelHandle runEnded{CreateEventA(nullptr, TRUE, TRUE, nullptr)};
};

Watch& watch()
{
    static Watch state;
    return state;
}

// Asks for the stop. For an ending process, holds the end back until the run has
// written its last line, and then until the program's own return ends the
// process with the run's exit code; the system ends it after a while in any case.
void ask(const char* by, bool processEnds)
{
    Watch& state = watch();
    const char* none = nullptr;
    if (state.askedBy.compare_exchange_strong(none, by)) {
        CriticalSection::Hold hold(state.lock);
        if (state.log)
            state.log->writeLine(String("stop asked by ") + by + ": the removal stops before its next item");
    }
    if (processEnds && WaitForSingleObject(state.runEnded.get(), endWait) == WAIT_OBJECT_0)
        Sleep(endWait);
}

// A process of the services' session (LocalSystem under a deployment tool) is
// told of every user's logoff, and none of them ends it.
bool inServicesSession()
{
    DWORD session = 0;
    return ProcessIdToSessionId(GetCurrentProcessId(), &session) && session == 0;
}

BOOL WINAPI onControl(DWORD type)
{
    switch (type) {
    case CTRL_C_EVENT: ask("Ctrl+C", false); return TRUE;
    case CTRL_BREAK_EVENT: ask("Ctrl+Break", false); return TRUE;
    case CTRL_CLOSE_EVENT: ask("the closing of the console", true); return TRUE;
    case CTRL_LOGOFF_EVENT:
        if (!inServicesSession())
            ask("logoff", true);
        return TRUE;
    case CTRL_SHUTDOWN_EVENT: ask("shutdown", true); return TRUE;
    default: return FALSE;
    }
}

LRESULT CALLBACK onSessionMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    const char* by = (lparam & ENDSESSION_LOGOFF) != 0 ? "logoff" : "shutdown";
    if (message == WM_QUERYENDSESSION) {
        ask(by, false);
        return TRUE;
    }
    if (message == WM_ENDSESSION && wparam) {
        ask(by, true);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

StopRequest::StopRequest(LogFile& log) : stopWatching(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    Watch& state = watch();
    {
        CriticalSection::Hold hold(state.lock);
        state.log = &log;
    }
    state.askedBy = nullptr;
    ResetEvent(state.runEnded.get());
    // A process group of its own starts with Ctrl+C turned off; the run wants it.
    SetConsoleCtrlHandler(nullptr, FALSE);
    SetConsoleCtrlHandler(onControl, TRUE);
    // Not waited for: making a window takes a while (some 20 ms under Wine), and
    // the run goes on meanwhile.
    sessionThread.reset(CreateThread(nullptr, 0, watchSession, stopWatching.get(), 0, nullptr));
}

StopRequest::~StopRequest()
{
    Watch& state = watch();
    SetConsoleCtrlHandler(onControl, FALSE);
    SetEvent(stopWatching.get());
    if (sessionThread.isOpen())
        WaitForSingleObject(sessionThread.get(), INFINITE);
    CriticalSection::Hold hold(state.lock);
    state.log = nullptr;
    SetEvent(state.runEnded.get());
}

void StopRequest::check() const
{
    if (const char* by = watch().askedBy.load())
        throw RunInterrupted{by};
}

// The window is hidden and never shown. Messages sent to it (the end of the
// session is sent) are dispatched while its thread waits.
DWORD WINAPI StopRequest::watchSession(void* stopWatching)
{
    HANDLE stop = static_cast<HANDLE>(stopWatching);
    WNDCLASSA type = {};
    type.lpfnWndProc = onSessionMessage;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = sessionClass;
    RegisterClassA(&type);
    HWND window = CreateWindowExA(0, sessionClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, type.hInstance,
                                  nullptr);
    while (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    if (window != nullptr)
        DestroyWindow(window);
    UnregisterClassA(sessionClass, type.hInstance);
    return 0;
}
