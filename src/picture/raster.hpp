// A plain pixel raster: the surfaces the conversion draws on, and what the
// picture loader yields for raster files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velloran::detail {

// The most decoded pixel data a picture may have: 256 MiB at 3 bytes a pixel.
inline constexpr std::uint64_t MaxRasterBytes = 256ull << 20;

struct Raster {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel: red, green, blue

    // A raster of the given size, white; false when it would pass MaxRasterBytes.
    bool allocate(std::int64_t w, std::int64_t h);
    std::uint8_t* row(std::int32_t y) { return rgb.data() + static_cast<std::size_t>(y) * width * 3; }
    const std::uint8_t* row(std::int32_t y) const { return rgb.data() + static_cast<std::size_t>(y) * width * 3; }
};

// True when a raster of w x h pixels stays within MaxRasterBytes.
inline bool rasterFits(std::int64_t w, std::int64_t h) {
    return w > 0 && h > 0 && w <= INT32_MAX && h <= INT32_MAX &&
           static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) <= MaxRasterBytes / 3;
}

inline bool Raster::allocate(std::int64_t w, std::int64_t h) {
    if (!rasterFits(w, h)) return false;
    width = static_cast<std::int32_t>(w);
    height = static_cast<std::int32_t>(h);
    rgb.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3, 0xFF);
    return true;
}

// Blend a pixel with the given alpha (0 transparent, 255 opaque) onto white.
inline void blendOnWhite(std::uint8_t* out, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t alpha) {
    auto mix = [alpha](std::uint8_t c) {
        return static_cast<std::uint8_t>((c * alpha + 255 * (255 - alpha) + 127) / 255);
    };
    out[0] = mix(r);
    out[1] = mix(g);
    out[2] = mix(b);
}

// Copy src onto a canvas of w x h pixels, nearest pixel, no blending.
Raster stretchNearest(const Raster& src, std::int32_t w, std::int32_t h);

// BMP files: our own reader (1, 4, 8, 16, 24 and 32 bits a pixel, with or
// without bit fields, RLE4 and RLE8, bottom-up or top-down) and writer
// (24 bits a pixel, bottom-up).
bool readBmp(std::string_view file, Raster& out);
std::string writeBmp(const Raster& raster);

// PNG, JPEG and GIF through the system's decoders; false for anything they
// refuse or a raster that would pass MaxRasterBytes. Transparency is
// composited on white.
bool decodeWithSystem(std::string_view file, Raster& out);

}  // namespace velloran::detail
