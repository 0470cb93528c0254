// Sole owner of one block of committed, page-aligned memory from VirtualAlloc.
#pragma once

#include <cstddef>

class PageBlock {
public:
    PageBlock() = default;
    ~PageBlock() { reset(); }
    PageBlock(const PageBlock&) = delete;
    PageBlock& operator=(const PageBlock&) = delete;

    char* data() const { return data_; }
    // Releases the block held so far and commits a new one of bytes (rounded up
    // to whole pages by the system); false, holding nothing, when that fails.
    bool allocate(size_t bytes);
    void reset();

    // Brings committed pages into memory in one go, where the system allows it,
    // rather than one page fault per page at first touch: a transfer into fresh
    // pages pays a fault per 4 KiB otherwise, which under virtualisation can
    // cost more than moving the bytes. For pages about to be used in full.
    static void bringIn(void* address, size_t bytes);

private:
    char* data_ = nullptr;
};
