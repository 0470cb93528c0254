// Exact arithmetic on signed 64-bit scroll positions: spans, clamped steps and a
// scaled quotient, none of which overflows for any range up to the 64-bit limits.
#pragma once

#include <cstdint>

namespace scrollmath {

// high - low for high >= low, exact even when it exceeds the signed range.
std::uint64_t span(std::int64_t low, std::int64_t high);

// |value|, exact for the most negative value too.
std::uint64_t magnitude(std::int64_t value);

// from moved by distance (forwards or backwards) and held within low .. high;
// from must lie within low .. high.
std::int64_t step(std::int64_t from, std::uint64_t distance, bool forward, std::int64_t low, std::int64_t high);

// value * numerator / denominator rounded down, with a 128-bit product; a
// quotient beyond 64 bits gives the largest value. A denominator of 0 gives 0.
std::uint64_t scale(std::uint64_t value, std::uint64_t numerator, std::uint64_t denominator);

}
