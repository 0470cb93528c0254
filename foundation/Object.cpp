#include "foundation/Object.h"

void Object::setClassTag(uint32_t tag)
{
    classTag_ = tag;
}
