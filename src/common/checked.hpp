// 32-bit signed arithmetic that raises error 6 (overflow) instead of wrapping,
// and the 16-bit narrowing some writers apply.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include <velloran/types.hpp>

namespace velloran::detail {

[[noreturn]] inline void overflow() { throw Error(errors::Overflow); }

inline std::int32_t add(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_add_overflow(a, b, &r)) overflow();
    return r;
}

inline std::int32_t sub(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) overflow();
    return r;
}

inline std::int32_t mul(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) overflow();
    return r;
}

inline std::int32_t abs32(std::int32_t a) {
    if (a == std::numeric_limits<std::int32_t>::min()) overflow();
    return a < 0 ? -a : a;
}

// A value rounded to a 32-bit integer, halves to the even neighbour.
inline std::int32_t rounded(double value) {
    const double r = std::nearbyint(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) overflow();
    return static_cast<std::int32_t>(r);
}

inline std::int16_t narrow16(std::int32_t a) {
    if (a < std::numeric_limits<std::int16_t>::min() || a > std::numeric_limits<std::int16_t>::max()) overflow();
    return static_cast<std::int16_t>(a);
}

}  // namespace velloran::detail
