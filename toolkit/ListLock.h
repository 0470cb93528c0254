// The guard object that brackets every walk of a hook or listener list.
#pragma once

// Counts the walks in progress so that a listener taken out during a walk is
// only marked and freed after the outermost walk ends.
class ListLock {
public:
    ListLock() : depth(0) {}
    ListLock(const ListLock&) = delete;
    ListLock& operator=(const ListLock&) = delete;

    void acquire() { ++depth; }
    void release() { --depth; }
    bool busy() const { return depth != 0; }

private:
    int depth;
};
