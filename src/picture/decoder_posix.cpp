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

bool startsWith(std::string_view file, std::string_view magic) { return file.substr(0, magic.size()) == magic; }

bool decodePng(std::string_view file, Raster& out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
    Raster raster;
    if (!raster.allocate(image.width, image.height)) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;  // alpha is composited on the background below
    png_color white{255, 255, 255};
    bool ok = png_image_finish_read(&image, &white, raster.rgb.data(), static_cast<png_int_32>(raster.width * 3),
                                    nullptr) != 0;
    png_image_free(&image);
    if (ok) out = std::move(raster);
    return ok;
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

[[noreturn]] void jpegFail(j_common_ptr common) {
    std::longjmp(reinterpret_cast<JpegError*>(common->err)->jump, 1);
}

bool decodeJpeg(std::string_view file, Raster& out) {
    jpeg_decompress_struct info;
    JpegError error;
    Raster raster;  // before the jump point: a failure leaves it to its destructor
    std::vector<JSAMPLE> line;
    jpeg_progress_mgr progress;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    error.manager.output_message = [](j_common_ptr) {};
    // A file cut short is padded by the decoder with an end marker, and a scan
    // repeated over and over is only warned about: both are refused. Other
    // warnings (stray bytes before a marker, common in camera files) are not.
    error.manager.emit_message = [](j_common_ptr common, int level) {
        int code = common->err->msg_code;
        if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_BOGUS_PROGRESSION)) jpegFail(common);
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
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (!raster.allocate(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    line.resize(static_cast<std::size_t>(info.output_width) * static_cast<std::size_t>(info.output_components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = line.data();
        std::int32_t y = static_cast<std::int32_t>(info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
        std::uint8_t* dst = raster.row(y);
        if (!cmyk) {
            std::memcpy(dst, line.data(), static_cast<std::size_t>(raster.width) * 3);
            continue;
        }
        // Adobe writes CMYK inverted: each value is 255 minus the ink.
        bool inverted = info.saw_Adobe_marker;
        for (std::int32_t x = 0; x < raster.width; ++x) {
            const JSAMPLE* p = &line[static_cast<std::size_t>(x) * 4];
            unsigned c = inverted ? p[0] : 255 - p[0], m = inverted ? p[1] : 255 - p[1];
            unsigned yy = inverted ? p[2] : 255 - p[2], k = inverted ? p[3] : 255 - p[3];
            dst[x * 3] = static_cast<std::uint8_t>(c * k / 255);
            dst[x * 3 + 1] = static_cast<std::uint8_t>(m * k / 255);
            dst[x * 3 + 2] = static_cast<std::uint8_t>(yy * k / 255);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    out = std::move(raster);
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
bool decodeGif(std::string_view file, Raster& out) {
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
    Raster raster;
    if (!raster.allocate(gif->SWidth, gif->SHeight)) return false;
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
        std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
        auto drawRow = [&](int y) {
            int sy = frame.Top + y;
            if (sy < 0 || sy >= raster.height) return;
            std::uint8_t* dst = raster.row(sy);
            for (int x = 0; x < frame.Width; ++x) {
                int sx = frame.Left + x;
                int index = line[static_cast<std::size_t>(x)];
                if (sx < 0 || sx >= raster.width || index == transparent || index >= colors->ColorCount) continue;
                const GifColorType& c = colors->Colors[index];
                dst[sx * 3] = c.Red, dst[sx * 3 + 1] = c.Green, dst[sx * 3 + 2] = c.Blue;
            }
        };
        static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < (frame.Interlace ? 4 : 1); ++pass) {
            for (int y = frame.Interlace ? start[pass] : 0; y < frame.Height; y += frame.Interlace ? step[pass] : 1) {
                if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return false;
                drawRow(y);
            }
        }
        out = std::move(raster);
        return true;
    }
}

}  // namespace

bool decodeWithSystem(std::string_view file, Raster& out) {
    if (startsWith(file, "\x89PNG\r\n\x1a\n")) return decodePng(file, out);
    if (startsWith(file, "\xFF\xD8\xFF")) return decodeJpeg(file, out);
    if (startsWith(file, "GIF87a") || startsWith(file, "GIF89a")) return decodeGif(file, out);
    return false;
}

}  // namespace velloran::detail
