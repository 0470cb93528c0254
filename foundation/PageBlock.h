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

private:
    char* data_ = nullptr;
};
