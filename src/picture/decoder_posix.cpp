// PNG, JPEG and GIF decoding through libpng, libjpeg-turbo and giflib.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

#include "picture/raster.hpp"

namespace velloran::detail {
namespace {

bool decodePng(std::string_view file, RasterSink& sink) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
    struct Free {
        png_image* image;
        ~Free() { png_image_free(image); }
    } free{&image};
    // Samples of 16 bits are sRGB values as 8-bit ones are, not linear light.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    const std::size_t rgba = std::size_t{4} * image.width;
    auto bitmap = sink.bitmap(image.width, image.height, alpha ? rgba * image.height : 0);
    if (!bitmap) return false;
    // Negative strides: rows from the bottom up, as the bitmap holds them.
    if (!alpha) {
        image.format = PNG_FORMAT_BGR;
        return png_image_finish_read(&image, nullptr, bitmap->bits, -static_cast<png_int_32>(bitmap->stride()),
                                     nullptr) != 0;
    }
    // libpng would blend in linear light; the bitmap gets the sample values
    // blended as they are, as every other format does. Each row of four bytes
    // a pixel becomes one of three in place, written behind where it is read.
    image.format = PNG_FORMAT_BGRA;
    if (!png_image_finish_read(&image, nullptr, bitmap->bits, -static_cast<png_int_32>(rgba), nullptr)) return false;
    const std::size_t pixels = std::size_t{3} * image.width;
    for (std::int32_t i = 0; i < bitmap->height; ++i) {
        const std::uint8_t* src = bitmap->bits + rgba * static_cast<std::size_t>(i);
        std::uint8_t* dst = bitmap->bits + bitmap->stride() * static_cast<std::size_t>(i);
        for (std::size_t x = 0; x < image.width; ++x, src += 4, dst += 3) {
            const std::uint8_t b = src[0], g = src[1], r = src[2], a = src[3];
            blendOnWhite(dst, r, g, b, a);
        }
        std::memset(dst, 0, bitmap->stride() - pixels);
    }
    return true;
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// Progressive files can ask for any number of scans, each of which walks the
// whole image; real ones use a few dozen. The work is bounded by scans times
// pixels, which a legitimate 90-megapixel progressive file stays well within.
constexpr int MaxJpegScans = 1000;
constexpr double MaxJpegScanPixels = 4e9;
// libjpeg's own buffers (the whole image's coefficients for progressive files).
constexpr long MaxJpegMemory = 768L << 20;

[[noreturn]] void jpegFail(j_common_ptr common) { std::longjmp(reinterpret_cast<JpegError*>(common->err)->jump, 1); }

bool decodeJpeg(std::string_view file, RasterSink& sink) {
    jpeg_decompress_struct info;
    JpegError error;
    std::vector<JSAMPLE> line;  // before the jump point: a failure leaves it to its destructor
    jpeg_progress_mgr progress;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    error.manager.output_message = [](j_common_ptr) {};
    // Data that ends early, at the end of the file or at a marker, is padded
    // by the decoder, and a scan repeated over and over is only warned about:
    // all are refused. Other warnings (stray bytes before a marker, common in
    // camera files) are not.
    error.manager.emit_message = [](j_common_ptr common, int level) {
        int code = common->err->msg_code;
        if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_BOGUS_PROGRESSION))
            jpegFail(common);
    };
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = MaxJpegMemory;
    progress.progress_monitor = [](j_common_ptr common) {
        auto* d = reinterpret_cast<j_decompress_ptr>(common);
        double pixels = static_cast<double>(d->image_width) * d->image_height;
        if (d->input_scan_number > MaxJpegScans || d->input_scan_number * pixels > MaxJpegScanPixels) jpegFail(common);
    };
    info.progress = &progress;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    // Colour rows go straight into the bitmap, blue first.
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    const auto bitmap = sink.bitmap(info.image_width, info.image_height);
    if (!bitmap) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    if (cmyk) line.resize(static_cast<std::size_t>(info.output_width) * 4);
    while (info.output_scanline < info.output_height) {
        std::uint8_t* dst = bitmap->row(static_cast<std::int32_t>(info.output_scanline));
        JSAMPROW row = cmyk ? line.data() : dst;
        jpeg_read_scanlines(&info, &row, 1);
        if (!cmyk) continue;
        // Adobe writes CMYK inverted: each value is 255 minus the ink.
        bool inverted = info.saw_Adobe_marker;
        for (std::int32_t x = 0; x < bitmap->width; ++x) {
            const JSAMPLE* p = &line[static_cast<std::size_t>(x) * 4];
            unsigned c = inverted ? p[0] : 255 - p[0], m = inverted ? p[1] : 255 - p[1];
            unsigned yy = inverted ? p[2] : 255 - p[2], k = inverted ? p[3] : 255 - p[3];
            std::uint8_t* to = dst + std::size_t{3} * static_cast<std::size_t>(x);
            to[0] = static_cast<std::uint8_t>(yy * k / 255);
            to[1] = static_cast<std::uint8_t>(m * k / 255);
            to[2] = static_cast<std::uint8_t>(c * k / 255);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

struct GifSource {
    std::string_view file;
    std::size_t at = 0;
};

int readGif(GifFileType* gif, GifByteType* buffer, int length) {
    auto* source = static_cast<GifSource*>(gif->UserData);
    std::size_t n = std::min(static_cast<std::size_t>(length < 0 ? 0 : length), source->file.size() - source->at);
    std::memcpy(buffer, source->file.data() + source->at, n);
    source->at += n;
    return static_cast<int>(n);
}

// The first frame on the logical screen; transparent and uncovered pixels are white.
bool decodeGif(std::string_view file, RasterSink& sink) {
    GifSource source{file};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, readGif, &error);
    if (!gif) return false;
    struct Closer {
        GifFileType* gif;
        ~Closer() {
            int e;
            DGifCloseFile(gif, &e);
        }
    } closer{gif};
    if (!rasterFits(gif->SWidth, gif->SHeight)) return false;
    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
        if (type == TERMINATE_RECORD_TYPE) return false;  // no frame at all
        if (type == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* data;
            if (DGifGetExtension(gif, &code, &data) == GIF_ERROR) return false;
            if (code == GRAPHICS_EXT_FUNC_CODE && data && data[0] >= 4 && (data[1] & 1)) transparent = data[4];
            while (data) {
                if (DGifGetExtensionNext(gif, &data) == GIF_ERROR) return false;
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return false;
        const GifImageDesc& frame = gif->Image;
        const ColorMapObject* colors = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
        if (!colors || !rasterFits(frame.Width, frame.Height)) return false;
        // The screen is made once a frame is there to draw on it.
        const auto screen = sink.bitmap(gif->SWidth, gif->SHeight);
        if (!screen) return false;
        std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
        auto drawRow = [&](int y) {
            int sy = frame.Top + y;
            if (sy < 0 || sy >= screen->height) return;
            std::uint8_t* dst = screen->row(sy);
            for (int x = 0; x < frame.Width; ++x) {
                int sx = frame.Left + x;
                int index = line[static_cast<std::size_t>(x)];
                if (sx < 0 || sx >= screen->width || index == transparent || index >= colors->ColorCount) continue;
                const GifColorType& c = colors->Colors[index];
                std::uint8_t* to = dst + std::size_t{3} * static_cast<std::size_t>(sx);
                to[0] = c.Blue, to[1] = c.Green, to[2] = c.Red;
            }
        };
        static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < (frame.Interlace ? 4 : 1); ++pass) {
            for (int y = frame.Interlace ? start[pass] : 0; y < frame.Height; y += frame.Interlace ? step[pass] : 1) {
                if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return false;
                drawRow(y);
            }
        }
        return true;
    }
}

}  // namespace

bool decodeWithSystem(std::string_view file, RasterSink& sink) {
    if (file.starts_with("\x89PNG\r\n\x1a\n")) return decodePng(file, sink);
    if (file.starts_with("\xFF\xD8\xFF")) return decodeJpeg(file, sink);
    if (file.starts_with("GIF87a") || file.starts_with("GIF89a")) return decodeGif(file, sink);
    return false;
}

}  // namespace velloran::detail
