#include "controls/ScrollMath.h"

namespace scrollmath {

namespace {

const std::uint64_t all = ~std::uint64_t(0);

// The 128-bit product of a and b as high and low halves.
void multiply(std::uint64_t a, std::uint64_t b, std::uint64_t& high, std::uint64_t& low)
{
    const std::uint64_t mask = 0xFFFFFFFFu;
    const std::uint64_t ll = (a & mask) * (b & mask);
    const std::uint64_t lh = (a & mask) * (b >> 32);
    const std::uint64_t hl = (a >> 32) * (b & mask);
    const std::uint64_t hh = (a >> 32) * (b >> 32);
    const std::uint64_t middle = (ll >> 32) + (lh & mask) + (hl & mask);
    low = (middle << 32) | (ll & mask);
    high = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
}

}

std::uint64_t span(std::int64_t low, std::int64_t high)
{
    return static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
}

std::uint64_t magnitude(std::int64_t value)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(value);
    return value < 0 ? ~bits + 1 : bits;
}

std::int64_t step(std::int64_t from, std::uint64_t distance, bool forward, std::int64_t low, std::int64_t high)
{
    const std::uint64_t room = forward ? span(from, high) : span(low, from);
    if (distance >= room)
        return forward ? high : low;
    // The result lies between low and high, so the wrapped sum is exact.
    const std::uint64_t bits = static_cast<std::uint64_t>(from);
    return static_cast<std::int64_t>(forward ? bits + distance : bits - distance);
}

std::uint64_t scale(std::uint64_t value, std::uint64_t numerator, std::uint64_t denominator)
{
    if (denominator == 0)
        return 0;
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    multiply(value, numerator, high, low);
    if (high == 0)
        return low / denominator;
    if (high >= denominator)
        return all;
    // Long division of the 128-bit product, one bit at a time; the remainder
    // stays below the denominator, so the quotient fits 64 bits.
    std::uint64_t remainder = high;
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        const bool carry = (remainder >> 63) != 0;
        remainder = (remainder << 1) | ((low >> bit) & 1u);
        quotient <<= 1;
        if (carry || remainder >= denominator) {
            remainder -= denominator;
            quotient |= 1u;
        }
    }
    return quotient;
}

}
