// BMP reading, owned rasters and the nearest-pixel stretch.
#include <array>
#include <cstring>
#include <algorithm>
#include <new>

#include "picture/raster.hpp"

namespace velloran::detail {
namespace {

std::uint32_t u16(std::string_view d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t u32(std::string_view d, std::size_t at) { return u16(d, at) | u16(d, at + 2) << 16; }

// One channel of a bit-field pixel, scaled to 8 bits.
struct Field {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Field(std::uint32_t m = 0) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        while (bits + shift < 32 && ((m >> (shift + bits)) & 1)) ++bits;
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (!mask) return 0;
        std::uint32_t v = (pixel & mask) >> shift;
        std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        return static_cast<std::uint8_t>(bits >= 8 ? v >> (bits - 8) : (v * 255 + max / 2) / max);
    }
};

struct Palette {
    std::array<std::uint8_t, std::size_t{3} * 256> bgr{};  // blue, green, red, as the bitmap holds them
    std::size_t count = 0;
    const std::uint8_t* at(std::uint32_t index) const {
        static const std::uint8_t black[3] = {0, 0, 0};
        return index < count ? &bgr[std::size_t{index} * 3] : black;
    }
};

bool decodeRle(std::string_view d, std::size_t at, bool four, const Palette& palette, const Bitmap& out) {
    std::int64_t x = 0, y = out.height - 1;  // bottom-up
    auto put = [&](std::uint32_t index) {
        if (x < out.width && y >= 0) std::memcpy(out.row(static_cast<std::int32_t>(y)) + x * 3, palette.at(index), 3);
        ++x;
    };
    while (at + 1 < d.size()) {
        std::uint32_t count = static_cast<unsigned char>(d[at]);
        std::uint32_t value = static_cast<unsigned char>(d[at + 1]);
        at += 2;
        if (count > 0) {
            for (std::uint32_t i = 0; i < count; ++i) put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0, --y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 1 >= d.size()) return false;
            x += static_cast<unsigned char>(d[at]);
            y -= static_cast<unsigned char>(d[at + 1]);
            at += 2;
        } else {
            std::size_t bytes = four ? (value + 1) / 2 : value;
            if (d.size() - at < bytes) return false;
            for (std::uint32_t i = 0; i < value; ++i) {
                std::uint32_t b = static_cast<unsigned char>(d[at + (four ? i / 2 : i)]);
                put(four ? (i % 2 ? b & 0xF : b >> 4) : b);
            }
            at += (bytes + 1) & ~std::size_t{1};
        }
        if (y < 0) return true;
    }
    return false;  // the data ran out with rows left to fill
}

}  // namespace

namespace {

// What a BMP's file and info headers say of its pixels.
struct BmpLayout {
    std::uint32_t pixelsAt = 0;
    std::int64_t width = 0, height = 0;
    bool topDown = false;
    std::uint32_t bpp = 0, compression = 0, colorsUsed = 0;
    std::size_t paletteAt = 0, entry = 4;  // where the palette is, and the bytes of an entry
    Field red, green, blue, alpha;

    bool rle() const { return compression == 1 || compression == 2; }
};

// The headers read and checked: false for what this reader does not take.
bool readLayout(std::string_view d, BmpLayout& b) {
    if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return false;
    b.pixelsAt = u32(d, 10);
    std::uint32_t headerSize = u32(d, 14);
    b.paletteAt = 14 + static_cast<std::size_t>(headerSize);
    if (headerSize == 12) {
        b.width = u16(d, 18);
        b.height = u16(d, 20);
        b.bpp = u16(d, 24);
        b.entry = 3;
    } else if (headerSize >= 40 && headerSize <= 124 && d.size() >= 14 + std::size_t{40}) {
        b.width = static_cast<std::int32_t>(u32(d, 18));
        b.height = static_cast<std::int32_t>(u32(d, 22));
        b.bpp = u16(d, 28);
        b.compression = u32(d, 30);
        b.colorsUsed = u32(d, 46);
        if (b.compression == 3 || b.compression == 6) {
            std::size_t masksAt = 54;
            if (headerSize == 40) b.paletteAt += b.compression == 6 ? 16 : 12;
            if (d.size() < masksAt + 12) return false;
            b.red = Field(u32(d, masksAt));
            b.green = Field(u32(d, masksAt + 4));
            b.blue = Field(u32(d, masksAt + 8));
            // The alpha mask follows in version 3 and later headers.
            if ((headerSize >= 56 || b.compression == 6) && d.size() >= masksAt + 16)
                b.alpha = Field(u32(d, masksAt + 12));
        }
    } else {
        return false;
    }
    b.topDown = b.height < 0;
    if (b.topDown) b.height = -b.height;
    if (!rasterFits(b.width, b.height)) return false;
    const std::uint32_t bpp = b.bpp, compression = b.compression;
    if (b.rle() && (b.topDown || bpp != (compression == 1 ? 8u : 4u))) return false;
    if (compression == 3 || compression == 6) {
        if (bpp != 16 && bpp != 32) return false;
    } else if (compression != 0 && !b.rle()) {
        return false;
    }
    if (compression == 0 && bpp == 16) b.red = Field(0x7C00), b.green = Field(0x03E0), b.blue = Field(0x001F);
    if (compression == 0 && bpp == 32) b.red = Field(0xFF0000), b.green = Field(0xFF00), b.blue = Field(0xFF);
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

bool readBmp(std::string_view d, RasterSink& sink) {
    BmpLayout b;
    if (!readLayout(d, b)) return false;
    const std::uint32_t bpp = b.bpp;
    const std::int64_t width = b.width, height = b.height;
    Palette palette;
    if (bpp <= 8) {
        std::size_t count = b.colorsUsed ? b.colorsUsed : std::size_t{1} << bpp;
        if (count > 256) count = 256;
        if (b.paletteAt > d.size() || (d.size() - b.paletteAt) / b.entry < count) return false;
        for (std::size_t i = 0; i < count; ++i)
            std::memcpy(&palette.bgr[i * 3], d.data() + b.paletteAt + i * b.entry, 3);
        palette.count = count;
    }
    if (b.pixelsAt >= d.size()) return false;
    std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    // The pixels must all be there before the raster is made.
    if (!b.rle() && (d.size() - b.pixelsAt) / stride < static_cast<std::uint64_t>(height)) return false;
    auto row = [&](std::int64_t y) {
        return reinterpret_cast<const unsigned char*>(d.data()) + b.pixelsAt +
               stride * static_cast<std::uint64_t>(b.topDown ? y : height - 1 - y);
    };
    auto pixel = [&](const unsigned char* src, std::int64_t x) {
        return bpp == 16 ? src[x * 2] | static_cast<std::uint32_t>(src[x * 2 + 1]) << 8
                         : src[x * 4] | src[x * 4 + 1] << 8 | src[x * 4 + 2] << 16 |
                               static_cast<std::uint32_t>(src[x * 4 + 3]) << 24;
    };
    // A bitmap whose alpha is 0 throughout does not use it and is opaque;
    // any other is blended on white.
    bool blend = false;
    for (std::int64_t y = 0; b.alpha.mask && !blend && y < height; ++y)
        for (std::int64_t x = 0; !blend && x < width; ++x) blend = b.alpha(pixel(row(y), x)) != 0;
    auto bitmap = sink.bitmap(width, height);
    if (!bitmap) return false;
    if (b.rle()) return decodeRle(d, b.pixelsAt, b.compression == 2, palette, *bitmap);
    for (std::int32_t y = 0; y < bitmap->height; ++y) {
        const unsigned char* src = row(y);
        std::uint8_t* dst = bitmap->row(y);
        if (bpp == 24) {
            std::memcpy(dst, src, static_cast<std::size_t>(bitmap->width) * 3);
            continue;
        }
        for (std::int32_t x = 0; x < bitmap->width; ++x, dst += 3) {
            switch (bpp) {
            case 1: std::memcpy(dst, palette.at((src[x / 8] >> (7 - x % 8)) & 1), 3); break;
            case 4: std::memcpy(dst, palette.at((src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF), 3); break;
            case 8: std::memcpy(dst, palette.at(src[x]), 3); break;
            default: {
                std::uint32_t p = pixel(src, x);
                if (blend) {
                    blendOnWhite(dst, b.red(p), b.green(p), b.blue(p), b.alpha(p));
                } else {
                    dst[0] = b.blue(p), dst[1] = b.green(p), dst[2] = b.red(p);
                }
            }
            }
        }
    }
    return true;
}

std::optional<Bitmap> Raster::bitmap(std::int64_t w, std::int64_t h, std::size_t work) noexcept {
    if (!rasterFits(w, h)) return std::nullopt;
    Bitmap view{static_cast<std::int32_t>(w), static_cast<std::int32_t>(h), nullptr};
    try {
        bytes_.assign(std::max(view.bytes(), work), 0);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
        return std::nullopt;
    }
    view.bits = bytes_.data();
    fillWhite(view);
    width = view.width;
    height = view.height;
    return view_ = view;
}

void fillWhite(const Bitmap& bitmap) {
    const std::size_t pixels = static_cast<std::size_t>(bitmap.width) * 3, stride = bitmap.stride();
    for (std::int32_t y = 0; y < bitmap.height; ++y) {
        std::uint8_t* row = bitmap.bits + stride * static_cast<std::size_t>(y);
        std::memset(row, 0xFF, pixels);
        std::memset(row + pixels, 0, stride - pixels);
    }
}

void stretchNearest(const Bitmap& src, const Bitmap& dst) {
    if (src.width <= 0 || src.height <= 0) return;
    const std::int32_t w = dst.width, h = dst.height;
    for (std::int32_t y = 0; y < h; ++y) {
        auto sy =
            static_cast<std::int32_t>((2 * static_cast<std::int64_t>(y) + 1) * src.height / (2 * std::int64_t{h}));
        const std::uint8_t* from = src.row(sy);
        std::uint8_t* to = dst.row(y);
        for (std::int32_t x = 0; x < w; ++x) {
            auto sx =
                static_cast<std::int32_t>((2 * static_cast<std::int64_t>(x) + 1) * src.width / (2 * std::int64_t{w}));
            std::memcpy(to + std::size_t{3} * static_cast<std::size_t>(x),
                        from + std::size_t{3} * static_cast<std::size_t>(sx), 3);
        }
    }
}

bool loadRaster(std::string_view file, RasterSink& sink) {
    const bool loaded = file.substr(0, 2) == "BM" ? readBmp(file, sink) : decodeWithSystem(file, sink);
    // A picture refused for want of memory is not a malformed file.
    if (!loaded && sink.outOfMemory) throw std::bad_alloc();
    return loaded;
}

}  // namespace velloran::detail
