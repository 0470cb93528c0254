#include "app/RemovalMutex.h"

// The mutex may exist without an owner (a tool merely looking at it); only an
// owner means another run. One that a run left without releasing it, by ending
// abruptly, is taken over. One this process may not open (made by another
// user) counts as held.
RemovalMutex::RemovalMutex() : handle(CreateMutexA(nullptr, FALSE, name()))
{
    if (handle.isOpen()) {
        DWORD wait = WaitForSingleObject(handle.get(), 0);
        held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
}

RemovalMutex::~RemovalMutex()
{
    if (held)
        ReleaseMutex(handle.get());
}
