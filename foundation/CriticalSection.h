// A Win32 critical section: a lock that one thread may enter several times.
#pragma once

#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section); }
    ~CriticalSection() { DeleteCriticalSection(&section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter() { EnterCriticalSection(&section); }
    // Always 0.
    int leave()
    {
        LeaveCriticalSection(&section);
        return 0;
    }

    // Holds the lock for one scope, so that no return path can keep it.
    class Hold {
    public:
        explicit Hold(CriticalSection& lock) : lock(lock) { lock.enter(); }
        ~Hold() { lock.leave(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        CriticalSection& lock;
    };

private:
    CRITICAL_SECTION section;
};
