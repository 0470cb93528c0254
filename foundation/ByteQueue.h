// A first-in first-out queue of bytes that one thread can fill while another
// drains it. The bytes live in a VirtualBuffer, so growth never moves them.
#pragma once

#include "foundation/VirtualBuffer.h"

#include <windows.h>

#include <cstdint>

class ByteQueue : public VirtualBuffer {
public:
    // Throws "No memory" as VirtualBuffer does.
    ByteQueue(uint32_t initialBytes, uint32_t maximumBytes);
    ~ByteQueue() override;

    // Appends the bytes and returns their count; returns 0 and appends nothing
    // when they do not fit into the reservation.
    virtual uint32_t write(const void* data, uint32_t bytes);
    // Copies the oldest bytes to out (when out is not null) and drops them when
    // consume is non-zero. All or nothing: 0 and no change when fewer are queued.
    virtual uint32_t read(void* out, uint32_t bytes, int consume);
    // Empties the queue and gives back every page above the minimum commit.
    virtual void clear();
    // Locks the queue and returns its oldest byte; size() bytes may be read there
    // until unlockConsume, which the same thread must call.
    virtual char* lockData();
    // Drops the oldest bytes (at most all of them) and unlocks. Returns 1.
    virtual int unlockConsume(uint32_t bytes);
    // Locks the queue and returns where the next bytes go, with room for bytes
    // of them, until unlockAppend. Null when the reservation cannot give that
    // room: the queue is then left unlocked and unchanged, and unlockAppend
    // must not be called.
    virtual char* lockTail(uint32_t bytes);
    // Appends the bytes written at lockTail's pointer (never more than it made
    // room for) and unlocks.
    virtual void unlockAppend(uint32_t bytes);

private:
    // Commits, doubling, until bytes free bytes follow the used ones; false when
    // the reservation or the system stops the growth first.
    bool makeRoom(uint32_t bytes);

    CRITICAL_SECTION section;
};
