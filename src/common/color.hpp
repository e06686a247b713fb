// Colour values laid out as the platform's colour reference.
#pragma once

#include <cstdint>

namespace velloran::detail {

// The four bytes of a colour in memory order: red first; the high byte is
// carried but never written as a colour component.
struct RGBParts {
    int red, green, blue, high;
};

inline RGBParts SplitRGB(std::int32_t color) {
    auto v = static_cast<std::uint32_t>(color);
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF),
            static_cast<int>(v >> 24)};
}

}  // namespace velloran::detail
