// A String's bytes as a std::string, embedded NULs included, for comparisons in tests.
#pragma once

#include "foundation/String.h"

#include <string>

namespace testsupport {

inline std::string text(const String& s)
{
    return std::string(s.cStr(), static_cast<size_t>(s.length()));
}

}  // namespace testsupport
