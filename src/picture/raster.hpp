// Pixels in the layout the metafile carries them in, where the decoders put
// them, and the decoders themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velloran::detail {

// The most decoded pixel data a picture may have: 256 MiB at 3 bytes a pixel.
inline constexpr std::uint64_t MaxRasterBytes = 256ull << 20;

// True when a raster of w x h pixels stays within MaxRasterBytes.
inline bool rasterFits(std::int64_t w, std::int64_t h) {
    return w > 0 && h > 0 && w <= INT32_MAX && h <= INT32_MAX &&
           static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) <= MaxRasterBytes / 3;
}

// Bytes a row of a bitmap of this width takes: 3 a pixel, padded to a multiple of 4.
inline std::size_t bitmapStride(std::int32_t width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

// A device-independent bitmap of 24 bits a pixel, as a metafile's stretched
// copy carries it: each pixel blue, green, red; rows from the bottom up,
// each padded with zero bytes. The bytes belong to whoever handed it out.
struct Bitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t* bits = nullptr;

    std::size_t stride() const { return bitmapStride(width); }
    std::size_t bytes() const { return stride() * static_cast<std::size_t>(height); }
    // Row y counted from the top, as decoders count.
    std::uint8_t* row(std::int32_t y) const { return bits + stride() * static_cast<std::size_t>(height - 1 - y); }
};

// Where a decoder puts the pixels. Once it knows the size, the decoder asks
// for a bitmap, white with zero padding, and fills it. It may first use
// `work` bytes from the bitmap's first byte on as it likes (to decode four
// bytes a pixel, say), as long as it writes each row of the bitmap at or
// before the place it reads from. Nothing comes back for a refused size or
// when there is no memory (which it says in outOfMemory); it never throws.
class RasterSink {
public:
    virtual std::optional<Bitmap> bitmap(std::int64_t width, std::int64_t height, std::size_t work = 0) noexcept = 0;
    bool outOfMemory = false;

protected:
    ~RasterSink() = default;
};

// A bitmap holding its own bytes: the source of a resampling, and what the
// tests look at.
class Raster final : public RasterSink {
public:
    std::int32_t width = 0;
    std::int32_t height = 0;

    std::optional<Bitmap> bitmap(std::int64_t w, std::int64_t h, std::size_t work = 0) noexcept override;
    const Bitmap& view() const { return view_; }
    std::uint8_t* row(std::int32_t y) { return view_.row(y); }
    const std::uint8_t* row(std::int32_t y) const { return view_.row(y); }

private:
    std::vector<std::uint8_t> bytes_;
    Bitmap view_;
};

// Fill a bitmap with white, its padding with zeros.
void fillWhite(const Bitmap& bitmap);

// Set a pixel (3 bytes: blue, green, red) from its alpha (0 transparent, 255
// opaque) over white, blending the sample values as they are.
inline void blendOnWhite(std::uint8_t* pixel, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t alpha) {
    auto mix = [alpha](std::uint8_t c) {
        return static_cast<std::uint8_t>((c * alpha + 255 * (255 - alpha) + 127) / 255);
    };
    pixel[0] = mix(b);
    pixel[1] = mix(g);
    pixel[2] = mix(r);
}

// Copy src onto all of dst, nearest pixel, no blending.
void stretchNearest(const Bitmap& src, const Bitmap& dst);

// BMP files: our own reader (1, 4, 8, 16, 24 and 32 bits a pixel, with or
// without bit fields, RLE4 and RLE8, bottom-up or top-down).
bool readBmp(std::string_view file, RasterSink& sink);

// PNG, JPEG and GIF through the system's decoders; false for anything they
// refuse or a raster that would pass MaxRasterBytes. Transparency is blended
// on white.
bool decodeWithSystem(std::string_view file, RasterSink& sink);

// The raster of a BMP, PNG, JPEG or GIF file; false for anything else.
// std::bad_alloc when the sink had no memory for the bitmap.
bool loadRaster(std::string_view file, RasterSink& sink);

}  // namespace velloran::detail
