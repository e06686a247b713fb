// BMP reading and writing, and the nearest-pixel stretch.
#include <array>
#include <cstring>

#include "picture/raster.hpp"

namespace velloran::detail {
namespace {

std::uint32_t u16(std::string_view d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t u32(std::string_view d, std::size_t at) {
    return u16(d, at) | u16(d, at + 2) << 16;
}

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
    std::array<std::uint8_t, 3 * 256> rgb{};
    std::size_t count = 0;
    const std::uint8_t* at(std::uint32_t index) const {
        static const std::uint8_t black[3] = {0, 0, 0};
        return index < count ? &rgb[index * 3] : black;
    }
};

bool decodeRle(std::string_view d, std::size_t at, bool four, const Palette& palette, Raster& out) {
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

bool readBmp(std::string_view d, Raster& out) {
    if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return false;
    std::uint32_t pixelsAt = u32(d, 10);
    std::uint32_t headerSize = u32(d, 14);
    std::int64_t width, height;
    std::uint32_t bpp, compression = 0, colorsUsed = 0;
    std::size_t paletteAt = 14 + static_cast<std::size_t>(headerSize), entry = 4;
    Field red, green, blue, alpha;
    if (headerSize == 12) {
        width = u16(d, 18);
        height = u16(d, 20);
        bpp = u16(d, 24);
        entry = 3;
    } else if (headerSize >= 40 && headerSize <= 124 && d.size() >= 14 + std::size_t{40}) {
        width = static_cast<std::int32_t>(u32(d, 18));
        height = static_cast<std::int32_t>(u32(d, 22));
        bpp = u16(d, 28);
        compression = u32(d, 30);
        colorsUsed = u32(d, 46);
        if (compression == 3 || compression == 6) {
            std::size_t masksAt = 54;
            if (headerSize == 40) paletteAt += compression == 6 ? 16 : 12;
            if (d.size() < masksAt + 12) return false;
            red = Field(u32(d, masksAt));
            green = Field(u32(d, masksAt + 4));
            blue = Field(u32(d, masksAt + 8));
            // The alpha mask follows in version 3 and later headers.
            if ((headerSize >= 56 || compression == 6) && d.size() >= masksAt + 16) alpha = Field(u32(d, masksAt + 12));
        }
    } else {
        return false;
    }
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (!rasterFits(width, height)) return false;
    bool rle = compression == 1 || compression == 2;
    if (rle && (topDown || bpp != (compression == 1 ? 8u : 4u))) return false;
    if (compression == 3 || compression == 6) {
        if (bpp != 16 && bpp != 32) return false;
    } else if (compression != 0 && !rle) {
        return false;
    }
    if (compression == 0 && bpp == 16) red = Field(0x7C00), green = Field(0x03E0), blue = Field(0x001F);
    if (compression == 0 && bpp == 32) red = Field(0xFF0000), green = Field(0xFF00), blue = Field(0xFF);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;

    Palette palette;
    if (bpp <= 8) {
        std::size_t count = colorsUsed ? colorsUsed : std::size_t{1} << bpp;
        if (count > 256) count = 256;
        if (paletteAt > d.size() || (d.size() - paletteAt) / entry < count) return false;
        for (std::size_t i = 0; i < count; ++i) {
            palette.rgb[i * 3] = static_cast<std::uint8_t>(d[paletteAt + i * entry + 2]);
            palette.rgb[i * 3 + 1] = static_cast<std::uint8_t>(d[paletteAt + i * entry + 1]);
            palette.rgb[i * 3 + 2] = static_cast<std::uint8_t>(d[paletteAt + i * entry]);
        }
        palette.count = count;
    }
    if (pixelsAt >= d.size()) return false;
    std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    // The pixels must all be there before the raster is made.
    if (!rle && (d.size() - pixelsAt) / stride < static_cast<std::uint64_t>(height)) return false;
    Raster raster;
    if (!raster.allocate(width, height)) return false;
    if (rle) {
        if (!decodeRle(d, pixelsAt, compression == 2, palette, raster)) return false;
        out = std::move(raster);
        return true;
    }
    // Alpha values, kept while decoding: a bitmap whose alpha is 0 throughout
    // does not use it and is opaque; any other is composited on white.
    std::vector<std::uint8_t> alphas;
    bool anyAlpha = false;
    if (alpha.mask) alphas.resize(static_cast<std::size_t>(raster.width) * raster.height);
    for (std::int32_t y = 0; y < raster.height; ++y) {
        const auto* src = reinterpret_cast<const unsigned char*>(d.data()) + pixelsAt +
                          stride * static_cast<std::uint64_t>(topDown ? y : raster.height - 1 - y);
        std::uint8_t* dst = raster.row(y);
        for (std::int32_t x = 0; x < raster.width; ++x, dst += 3) {
            switch (bpp) {
            case 1: std::memcpy(dst, palette.at((src[x / 8] >> (7 - x % 8)) & 1), 3); break;
            case 4: std::memcpy(dst, palette.at((src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF), 3); break;
            case 8: std::memcpy(dst, palette.at(src[x]), 3); break;
            case 24:
                dst[0] = src[x * 3 + 2], dst[1] = src[x * 3 + 1], dst[2] = src[x * 3];
                break;
            default: {
                std::uint32_t p = bpp == 16 ? src[x * 2] | src[x * 2 + 1] << 8
                                            : src[x * 4] | src[x * 4 + 1] << 8 | src[x * 4 + 2] << 16 |
                                                  static_cast<std::uint32_t>(src[x * 4 + 3]) << 24;
                dst[0] = red(p), dst[1] = green(p), dst[2] = blue(p);
                if (alpha.mask) {
                    std::uint8_t a = alpha(p);
                    alphas[static_cast<std::size_t>(y) * raster.width + x] = a;
                    anyAlpha = anyAlpha || a != 0;
                }
            }
            }
        }
    }
    if (anyAlpha) {
        std::uint8_t* p = raster.rgb.data();
        for (std::uint8_t a : alphas) {
            blendOnWhite(p, p[0], p[1], p[2], a);
            p += 3;
        }
    }
    out = std::move(raster);
    return true;
}

std::string writeBmp(const Raster& raster) {
    const std::size_t stride = (static_cast<std::size_t>(raster.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t image = stride * static_cast<std::size_t>(raster.height);
    std::string file(54 + image, '\0');
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        file[at] = static_cast<char>(v & 0xFF);
        file[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(raster.width));
    put32(22, static_cast<std::uint32_t>(raster.height));
    put16(26, 1);
    put16(28, 24);
    put32(34, static_cast<std::uint32_t>(image));
    put32(38, 3780);  // 96 pixels per inch
    put32(42, 3780);
    for (std::int32_t y = 0; y < raster.height; ++y) {
        const std::uint8_t* src = raster.row(raster.height - 1 - y);
        char* dst = file.data() + 54 + stride * static_cast<std::size_t>(y);
        for (std::int32_t x = 0; x < raster.width; ++x) {
            dst[x * 3] = static_cast<char>(src[x * 3 + 2]);
            dst[x * 3 + 1] = static_cast<char>(src[x * 3 + 1]);
            dst[x * 3 + 2] = static_cast<char>(src[x * 3]);
        }
    }
    return file;
}

Raster stretchNearest(const Raster& src, std::int32_t w, std::int32_t h) {
    Raster out;
    if (!out.allocate(w, h) || src.width <= 0 || src.height <= 0) return out;
    for (std::int32_t y = 0; y < h; ++y) {
        auto sy = static_cast<std::int32_t>((2 * static_cast<std::int64_t>(y) + 1) * src.height / (2 * std::int64_t{h}));
        const std::uint8_t* from = src.row(sy);
        std::uint8_t* to = out.row(y);
        for (std::int32_t x = 0; x < w; ++x) {
            auto sx = static_cast<std::int32_t>((2 * static_cast<std::int64_t>(x) + 1) * src.width / (2 * std::int64_t{w}));
            std::memcpy(to + x * 3, from + sx * 3, 3);
        }
    }
    return out;
}

}  // namespace velloran::detail
