// The machine-wide mark of a removal in progress: a named mutex in the global
// namespace (it spans sessions), held for the run by the window and by the
// command-line companion alike, so that a second removal started meanwhile by
// either stops before changing anything.
#pragma once

#include "foundation/KernelHandle.h"

class RemovalMutex {
public:
    // The name other tools can look for.
    static const char* name() { return "Global\\VantorixT5Removal"; }

    // Takes the mutex when no other process holds it.
    RemovalMutex();
    ~RemovalMutex();
    RemovalMutex(const RemovalMutex&) = delete;
    RemovalMutex& operator=(const RemovalMutex&) = delete;

    bool isHeld() const { return held; }

private:
    KernelHandle handle;
    bool held = false;
};
