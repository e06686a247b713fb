// Picture files of every format the loader knows, made for the tests.
#pragma once

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include "picture/metafile.hpp"
#include "picture/raster.hpp"

namespace velloran::test {

// A raster whose pixel (x, y) is (x, y, 200) modulo 256 (red, green, blue).
inline detail::Raster gradient(int w, int h) {
    detail::Raster r;
    r.bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = r.row(y) + x * 3;
            p[0] = 200, p[1] = static_cast<std::uint8_t>(y), p[2] = static_cast<std::uint8_t>(x);
        }
    return r;
}

// A 24-bit BMP file of the raster, bottom-up; its pixel data is the bitmap as it is.
inline std::string bmpOf(const detail::Raster& raster) {
    const detail::Bitmap& bitmap = raster.view();
    std::string file(54, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(54 + bitmap.bytes()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(bitmap.width));
    put32(22, static_cast<std::uint32_t>(bitmap.height));
    file[26] = 1, file[28] = 24;
    put32(34, static_cast<std::uint32_t>(bitmap.bytes()));
    put32(38, 3780);  // 96 pixels per inch
    put32(42, 3780);
    file.append(reinterpret_cast<const char*>(bitmap.bits), bitmap.bytes());
    return file;
}

inline std::string bmpFile(int w, int h) { return bmpOf(gradient(w, h)); }

// An RGBA PNG whose left half is opaque red and right half fully transparent.
inline std::string pngFile(int w, int h, bool alpha = true) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    int channels = alpha ? 4 : 3;
    std::string pixels(static_cast<std::size_t>(w) * h * channels, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            char* p = &pixels[(static_cast<std::size_t>(y) * w + x) * channels];
            p[0] = static_cast<char>(255);
            if (alpha) p[3] = static_cast<char>(x < w / 2 ? 255 : 0);
        }
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::string out(size, '\0');
    png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr);
    out.resize(size);
    return out;
}

// A PNG of w x h pixels of the given colour type and bit depth, without
// gAMA, sRGB or iCCP chunks (so nothing says how its samples are encoded),
// from rows of samples as PNG holds them (16-bit ones high byte first). A
// palette and its alpha values (tRNS) go with a palette colour type.
inline std::string pngRaw(int w, int h, int colorType, int bitDepth, const std::string& samples,
                          const std::vector<png_color>& palette = {}, const std::string& paletteAlpha = "") {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(data), n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), bitDepth, colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!paletteAlpha.empty())
        png_set_tRNS(png, info, reinterpret_cast<png_const_bytep>(paletteAlpha.data()),
                     static_cast<int>(paletteAlpha.size()), nullptr);
    png_write_info(png, info);
    const std::size_t rowBytes = samples.size() / static_cast<std::size_t>(h);
    for (int y = 0; y < h; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(samples.data() + rowBytes * static_cast<std::size_t>(y)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A JPEG of w x h pixels at quality 90; fill(y, row) sets the red, green
// and blue values of row y.
template <class Fill>
std::string jpegOf(int w, int h, Fill fill) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::string row(static_cast<std::size_t>(w) * 3, '\0');
    while (info.next_scanline < info.image_height) {
        fill(static_cast<int>(info.next_scanline), row);
        JSAMPROW r = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// A grey JPEG (128, 128, 128) of w x h pixels.
inline std::string jpegFile(int w, int h) {
    return jpegOf(w, h, [](int, std::string& row) { row.assign(row.size(), static_cast<char>(128)); });
}

// A JPEG that compresses about as a photograph does: colour gradients under
// fine noise.
inline std::string photoJpegFile(int w, int h) {
    std::uint32_t seed = 12345;
    return jpegOf(w, h, [&](int y, std::string& row) {
        for (std::size_t x = 0; x < row.size() / 3; ++x) {
            seed = seed * 1664525u + 1013904223u;
            int noise = static_cast<int>(seed >> 28) - 8;
            row[x * 3] = static_cast<char>(std::clamp(static_cast<int>(x * 255 / (row.size() / 3)) + noise, 0, 255));
            row[x * 3 + 1] = static_cast<char>(std::clamp(y * 255 / h + noise, 0, 255));
            row[x * 3 + 2] = static_cast<char>(std::clamp(128 + noise * 3, 0, 255));
        }
    });
}

// A GIF of w x h pixels: colour 1 (blue) everywhere but the first column,
// which is the transparent colour 0.
inline std::string gifFile(int w, int h) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(
        &out,
        [](GifFileType* g, const GifByteType* data, int n) {
            static_cast<std::string*>(g->UserData)
                ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(n));
            return n;
        },
        &error);
    GifColorType colors[2] = {{0, 0, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, w, h, 1, 0, map);
    GraphicsControlBlock gcb{0, false, 0, 0};
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    ext[0] |= 1;  // transparent colour present
    ext[3] = 0;
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr);
    std::vector<GifPixelType> line(static_cast<std::size_t>(w), 1);
    line[0] = 0;
    for (int y = 0; y < h; ++y) EGifPutLine(gif, line.data(), w);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

// An enhanced metafile whose frame is width x height hundredths of a
// millimetre (at 20 device pixels a millimetre), holding one rectangle.
inline std::string emfFile(std::int32_t width, std::int32_t height) {
    std::string f;
    auto p32 = [&](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) f += static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    const std::uint32_t w = static_cast<std::uint32_t>(width / 5), h = static_cast<std::uint32_t>(height / 5);
    p32(1), p32(88);                 // the header record
    p32(0), p32(0), p32(w), p32(h);  // bounds, device pixels
    p32(0), p32(0), p32(static_cast<std::uint32_t>(width)), p32(static_cast<std::uint32_t>(height));  // frame
    p32(0x464D4520), p32(0x10000), p32(88 + 24 + 20), p32(3);          // " EMF", version, bytes, records
    p32(0), p32(0), p32(0), p32(0);                                    // handles, description, palette
    p32(w * 10), p32(h * 10), p32(w / 2), p32(h / 2);                  // the device, pixels and millimetres
    p32(43), p32(24), p32(w / 4), p32(h / 4), p32(w / 2), p32(h / 2);  // a rectangle
    p32(14), p32(20), p32(0), p32(16), p32(20);                        // end of file
    return f;
}

// A placeable metafile of the given bounding box and units per inch holding
// one rectangle record.
inline std::string placeableFile(std::int16_t right, std::int16_t bottom, std::uint16_t inch) {
    std::string f;
    auto p16 = [&](std::uint32_t v) {
        f += static_cast<char>(v & 0xFF);
        f += static_cast<char>((v >> 8) & 0xFF);
    };
    auto p32 = [&](std::uint32_t v) {
        p16(v & 0xFFFF);
        p16(v >> 16);
    };
    p32(detail::PlaceableKey);
    p16(0);          // handle
    p16(0), p16(0);  // left, top
    p16(static_cast<std::uint16_t>(right)), p16(static_cast<std::uint16_t>(bottom));
    p16(inch);
    p32(0);
    std::uint16_t sum = 0;
    for (std::size_t at = 0; at < 20; at += 2)
        sum ^=
            static_cast<std::uint16_t>(static_cast<unsigned char>(f[at]) | static_cast<unsigned char>(f[at + 1]) << 8);
    p16(sum);
    // The standard metafile: header, a rectangle record, the end record.
    p16(1), p16(9), p16(0x0300), p32(9 + 7 + 3), p16(0), p32(7), p16(0);
    p32(7), p16(0x041B), p16(static_cast<std::uint16_t>(bottom)), p16(static_cast<std::uint16_t>(right)), p16(0),
        p16(0);
    p32(3), p16(0);
    return f;
}

}  // namespace velloran::test
