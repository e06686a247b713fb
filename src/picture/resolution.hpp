// The resolution a picture file records for its pixels.
#pragma once

#include <optional>
#include <string_view>

namespace velloran::detail {

// Pixels per inch across and down.
struct Resolution {
    double x = 0;
    double y = 0;
};

// What a PNG file's pHYs chunk (in pixels per metre), a JPEG file's JFIF
// density (per inch or per centimetre) or a BMP file's pixels per metre
// say; nothing for other files, for a file that records only the pixels'
// shape, and for less than one pixel an inch either way.
std::optional<Resolution> fileResolution(std::string_view file);

}  // namespace velloran::detail
