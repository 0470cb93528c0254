// A byte container on one reserved range of address space: pages are committed
// as it grows, so its contents never move and pointers into it stay valid.
#pragma once

#include "foundation/Object.h"

#include <cstdint>

class VirtualBuffer : public Object {
public:
    // Reserves maximumBytes (rounded up to whole pages; shrunk page by page when
    // the address space is short) and commits initialBytes. Throws "No memory"
    // when nothing can be reserved or the initial commit fails, as it does
    // for an initial size beyond the reservation.
    VirtualBuffer(uint32_t initialBytes, uint32_t maximumBytes);
    ~VirtualBuffer() override;
    VirtualBuffer(const VirtualBuffer&) = delete;
    VirtualBuffer& operator=(const VirtualBuffer&) = delete;

    char* data() const { return base_; }
    uint32_t size() const { return used_; }
    uint32_t committed() const { return committed_; }
    uint32_t reserved() const { return reserved_; }
    uint32_t minimumCommit() const { return minimumCommit_; }
    uint32_t pageSize() const { return pageSize_; }

    // Sets the bytes in use, at most the reservation and never more than could be
    // committed; returns the size actually set.
    uint32_t setUsed(uint32_t bytes);
    // Commits or decommits whole pages so that bytes (kept between the minimum
    // commit, the used size and the reservation) are committed. Returns the
    // committed size, unchanged when the platform refused.
    uint32_t commit(uint32_t bytes);
    // Drops count bytes at position, moving the later bytes down. A position at
    // or past the used size changes nothing. Returns 1.
    virtual int erase(uint32_t position, uint32_t count);

private:
    uint32_t roundToPage(uint64_t bytes) const;

    char* base_ = nullptr;
    uint32_t committed_ = 0;
    uint32_t used_ = 0;
    uint32_t reserved_ = 0;
    uint32_t minimumCommit_ = 0;
    uint32_t pageSize_ = 0;
};
