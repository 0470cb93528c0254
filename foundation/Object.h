// Root of every polymorphic class of the library: carries the 32-bit class tag
// by which the toolkit recognises its own objects.
#pragma once

#include <cstdint>

class Object {
public:
    Object() = default;
    virtual ~Object() = default;

    virtual void setClassTag(uint32_t tag);
    uint32_t classTag() const { return classTag_; }

private:
    uint32_t classTag_ = 0;
};
