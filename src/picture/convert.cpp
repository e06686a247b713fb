#include "picture/convert.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>

#include <velloran/paragraph.hpp>
#include <velloran/picture.hpp>

#include "common/checked.hpp"
#include "common/files.hpp"
#include "common/platform.hpp"
#include "picture/enhanced.hpp"
#include "picture/raster.hpp"
#include "picture/resolution.hpp"
#include "rtf/picture.hpp"

namespace velloran::detail {
namespace {

constexpr std::int32_t UnitsPerPixel = 20;
constexpr double TwipsPerInch = 1440;
// A placeable metafile's own size is counted in pixels of 96 to the inch.
constexpr Resolution MetafileResolution{96, 96};
// No picture file that fits the raster limit comes near this size.
constexpr std::uint64_t MaxPictureFileBytes = 512ull << 20;
constexpr std::int32_t MaxCoordinate = 32767;

// Twips as the nearest hundredths of a millimetre whose goal size (their
// twips rounded down, as the picture group writes it) is those twips.
float unitsOfTwips(std::int32_t twips) {
    const double perTwip = static_cast<double>(1.76f);
    double units = std::nearbyint(static_cast<double>(twips) * perTwip);
    if (std::floor(units / perTwip) < twips) units += 1;
    return static_cast<float>(units);
}

// How large a picture is shown: what the host declared for a side, in
// twips before hundredths of a millimetre, else its own size.
struct Sizing {
    float width = 0;  // declared, hundredths of a millimetre; 0 for none
    float height = 0;
    std::int32_t widthTwips = 0;  // declared, twips; not above 0 for none
    std::int32_t heightTwips = 0;
    std::optional<Resolution> resolution;  // the file's, when the host asked for it

    // W and H hold the picture's own size at 20 units a pixel; wide and
    // high are its pixels as shown, for its resolution. Width and Height
    // are independent; a side declared in twips alone takes the other from
    // the picture's own proportions.
    void apply(float& W, float& H, double wide, double high) const {
        if (resolution) {
            W = unitsOfTwips(rounded(wide * TwipsPerInch / resolution->x));
            H = unitsOfTwips(rounded(high * TwipsPerInch / resolution->y));
        }
        const float ownW = W, ownH = H;
        const bool byWidth = widthTwips > 0 || width != 0;
        const bool byHeight = heightTwips > 0 || height != 0;
        if (widthTwips > 0) W = unitsOfTwips(widthTwips);
        else if (width != 0) W = width;
        if (heightTwips > 0) H = unitsOfTwips(heightTwips);
        else if (height != 0) H = height;
        if (widthTwips > 0 && !byHeight && ownW != 0)
            H = unitsOfTwips(rounded(static_cast<double>(widthTwips) * ownH / ownW));
        if (heightTwips > 0 && !byWidth && ownH != 0)
            W = unitsOfTwips(rounded(static_cast<double>(heightTwips) * ownW / ownH));
    }
};

// The picture group of a raster, written straight into the text it is
// appended to. The decoder fills the bitmap where the bitmap's hexadecimal
// digits are about to go, and finish() turns the bytes into their digits in
// place, so the picture is never held twice. Until finish() succeeds the
// text is put back as it was when the group goes.
// A decoder's size and nothing more: it asks for no pixels.
class SizeProbe final : public RasterSink {
public:
    std::int32_t width = 0, height = 0;
    std::optional<Bitmap> bitmap(std::int64_t w, std::int64_t h, std::size_t) noexcept override {
        if (rasterFits(w, h)) width = static_cast<std::int32_t>(w), height = static_cast<std::int32_t>(h);
        return std::nullopt;
    }
};

class RasterGroup final : public RasterSink {
public:
    RasterGroup(std::string& out, const cPicture& picture, const Sizing& sizing)
        : out_(out), mark_(out.size()), capacity_(out.capacity()), picture_(picture), sizing_(sizing) {}
    RasterGroup(const RasterGroup&) = delete;
    RasterGroup& operator=(const RasterGroup&) = delete;
    ~RasterGroup() {
        if (done_) return;
        out_.resize(mark_);
        // A failed picture does not leave the text holding its room.
        if (out_.capacity() > capacity_) out_.shrink_to_fit();
    }

    std::optional<Bitmap> bitmap(std::int64_t w, std::int64_t h, std::size_t work) noexcept override;
    // Write the hexadecimal lines and the closing brace; false when no bitmap was handed out.
    bool finish();

private:
    std::string& out_;
    const std::size_t mark_;
    const std::size_t capacity_;
    const cPicture& picture_;
    const Sizing& sizing_;
    Metafile metafile_;
    bool asked_ = false;
    bool ready_ = false;  // a bitmap was handed out
    bool done_ = false;
    std::size_t hexAt_ = 0;     // where the hexadecimal lines begin
    std::size_t bitsAt_ = 0;    // where the decoder has the bitmap
    std::size_t bitsHome_ = 0;  // where the bitmap ends as its digits end
};

std::optional<Bitmap> RasterGroup::bitmap(std::int64_t w, std::int64_t h, std::size_t work) noexcept {
    if (asked_ || !rasterFits(w, h)) return std::nullopt;
    asked_ = true;
    try {
        MetafileRecorder recorder;
        recorder.setMapMode(8);  // MM_ANISOTROPIC
        float W, H;
        if (!recordRaster(recorder, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h), W, H))
            return std::nullopt;
        metafile_ = recorder.finish();
        sizing_.apply(W, H, static_cast<double>(w), static_cast<double>(h));
        if (!rtf::appendPictureStart(out_, picture_, W, H)) return std::nullopt;
        hexAt_ = out_.size();
        const std::uint64_t room = rtf::hexLinesSize(metafile_.size()) + 1;
        if (room >= out_.max_size() - hexAt_) return std::nullopt;
        // The text's own memory, advised for huge pages before it is first
        // touched: a photograph's digits are tens of megabytes.
        // A few bytes more for what closes the group's picture after it
        // (both forms' braces), which would otherwise move the whole.
        out_.reserve(hexAt_ + static_cast<std::size_t>(room) + 16);
        platform::adviseLarge(out_.data(), out_.capacity());
        out_.resize(hexAt_ + static_cast<std::size_t>(room));
        // Each byte's digits then end no later than the byte: the digits can
        // be written from the front over the bytes.
        const std::size_t bits = metafile_.bodyBytes;
        bitsHome_ = hexAt_ + static_cast<std::size_t>(rtf::hexPlace(metafile_.head.size() + bits - 1)) + 2 - bits;
        bitsAt_ = bitsHome_;
        if (work > bits) {
            // Room to work in reaches from the bitmap's first digit to the end.
            bitsAt_ = hexAt_ + static_cast<std::size_t>(rtf::hexPlace(metafile_.head.size()));
            if (work > out_.size() - bitsAt_) return std::nullopt;
        }
        Bitmap bitmap{static_cast<std::int32_t>(w), static_cast<std::int32_t>(h),
                      reinterpret_cast<std::uint8_t*>(out_.data() + bitsAt_)};
        fillWhite(bitmap);
        ready_ = true;
        return bitmap;
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
        return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
}

bool RasterGroup::finish() {
    if (!ready_) return false;
    char* text = out_.data();
    if (bitsAt_ != bitsHome_) std::memmove(text + bitsHome_, text + bitsAt_, metafile_.bodyBytes);
    metafile_.body = text + bitsHome_;
    rtf::HexLines hex(text + hexAt_);
    hex.write(metafile_.head.data(), metafile_.head.size());
    hex.write(metafile_.body, metafile_.bodyBytes);
    hex.write(metafile_.tail.data(), metafile_.tail.size());
    hex.finishGroup();
    done_ = true;
    return true;
}

}  // namespace

bool recordRaster(MetafileRecorder& recorder, std::int32_t px, std::int32_t py, float& W, float& H) {
    if (px <= 0 || py <= 0 || px > MaxCoordinate || py > MaxCoordinate) return false;
    W = static_cast<float>(px) * UnitsPerPixel;
    H = static_cast<float>(py) * UnitsPerPixel;
    // Metafile coordinates are 16-bit: a large raster gets fewer units a
    // pixel and a window that maps it onto the declared size all the same.
    std::int32_t k = std::min({UnitsPerPixel, MaxCoordinate / px, MaxCoordinate / py});
    if (k < UnitsPerPixel) {
        recorder.setWindowOrg(0, 0);
        recorder.setWindowExt(static_cast<std::int16_t>(px * k), static_cast<std::int16_t>(py * k));
    }
    recorder.setStretchBltMode(3);  // COLORONCOLOR
    recorder.stretchDib(px, py, static_cast<std::int16_t>(px * k), static_cast<std::int16_t>(py * k));
    return true;
}

namespace {

// The metafile group of a decoded raster, resampled onto a canvas of the
// scaled size, which is the picture from then on.
bool convertRaster(std::string& out, const cPicture& picture, const Raster& raster, const Sizing& sizing, float scale) {
    RasterGroup group(out, picture, sizing);
    std::int32_t cw = raster.width, ch = raster.height;
    if (scale != 1.0f) {
        cw = std::max(1, rounded(static_cast<float>(raster.width) * scale));
        ch = std::max(1, rounded(static_cast<float>(raster.height) * scale));
    }
    auto canvas = group.bitmap(cw, ch, 0);
    if (!canvas && group.outOfMemory) throw std::bad_alloc();
    if (!canvas) return false;
    stretchNearest(raster.view(), *canvas);
    return group.finish();
}

// An enhanced metafile is kept as it is, at its frame's size (its own
// physical size, whatever its resolution), in any embedding; with
// eOriginalAndMetafile a standard metafile of its lines and shapes
// stands beside it for readers that show no enhanced one, where it
// has any.
bool convertEnhanced(std::string& out, const cPicture& picture, const std::string& source, Sizing& sizing,
                     float scale) {
    auto emf = readEnhancedMetafile(source);
    if (!emf) return false;
    float W = scale * static_cast<float>(emf->width);
    float H = scale * static_cast<float>(emf->height);
    sizing.resolution.reset();
    sizing.apply(W, H, 0, 0);
    // The bytes the header counts, without what may follow them.
    const std::string_view kept = std::string_view(source).substr(0, emf->bytes);
    std::optional<std::string> standard;
    if (picture.Embedding == eOriginalAndMetafile) standard = standardFromEnhanced(source, emf->bytes);
    MetafileRecorder recorder;
    if (!standard || !recorder.play(*standard)) return rtf::appendBlipPicture(out, picture, "emf", kept, 0, 0, W, H);
    if (rtf::appendBothForms(
            out, [&] { return rtf::appendBlipPicture(out, picture, "emf", kept, 0, 0, W, H); },
            [&] { return rtf::WritePictureRtf(out, picture, recorder.finish(), W, H); }))
        return true;
    // Without its standard metafile, the EMF alone.
    return rtf::appendBlipPicture(out, picture, "emf", kept, 0, 0, W, H);
}

}  // namespace

bool ConvertPicture(std::string& out, const cPicture& picture, const std::string& file, float width, float height,
                    float scale) {
    if (!FileExists(file)) return false;
    try {
        if (!(scale > 0)) scale = 1;
        auto length = platform::fileLength(file);
        if (!length || *length > MaxPictureFileBytes) return false;
        const std::string source = platform::readFile(file);
        Sizing sizing{width, height, picture.WidthTwips, picture.HeightTwips, std::nullopt};
        const bool ownResolution = picture.UseFileResolution == True;
        if (isPlaceableMetafile(source)) {
            if (ownResolution) sizing.resolution = MetafileResolution;
            auto placeable = readPlaceableMetafile(source);
            if (!placeable) return false;
            MetafileRecorder recorder;
            recorder.setMapMode(8);  // MM_ANISOTROPIC
            std::int32_t px = rounded(placeable->pixelWidth), py = rounded(placeable->pixelHeight);
            float W = scale * static_cast<float>(mul(px, UnitsPerPixel));
            float H = scale * static_cast<float>(mul(py, UnitsPerPixel));
            if (!recorder.play(placeable->records)) return false;
            sizing.apply(W, H, static_cast<double>(scale) * placeable->pixelWidth,
                         static_cast<double>(scale) * placeable->pixelHeight);
            return rtf::WritePictureRtf(out, picture, recorder.finish(), W, H);
        }
        if (isEnhancedMetafile(source)) return convertEnhanced(out, picture, source, sizing, scale);
        const char* kind = source.starts_with("\x89PNG\r\n\x1a\n") ? "png"
                           : source.starts_with("\xFF\xD8\xFF")    ? "jpeg"
                                                                   : nullptr;
        if (ownResolution) sizing.resolution = fileResolution(source);
        const auto embedding = picture.Embedding;
        if (kind && embedding == eOriginalAndMetafile && scale == 1.0f) {
            // Both forms at the file's own pixels: the size first, then the
            // file, then the metafile decoded straight into its place, so
            // that the picture is never held decoded apart (the decoding
            // refuses what the decoder refuses, and takes both back).
            SizeProbe probe;
            loadRaster(source, probe);
            if (probe.width <= 0 || probe.height <= 0) return false;
            float W = static_cast<float>(mul(probe.width, UnitsPerPixel));
            float H = static_cast<float>(mul(probe.height, UnitsPerPixel));
            sizing.apply(W, H, probe.width, probe.height);
            return rtf::appendBothForms(
                out,
                [&] { return rtf::appendBlipPicture(out, picture, kind, source, probe.width, probe.height, W, H); },
                [&] {
                    RasterGroup group(out, picture, sizing);
                    return loadRaster(source, group) && group.finish();
                });
        }
        if (kind && (embedding == eOriginal || embedding == eOriginalAndMetafile)) {
            // Decoded once, whole, to refuse what the decoder refuses and to
            // learn the size; the file's own bytes are what is written.
            Raster raster;
            if (!loadRaster(source, raster)) return false;
            float W = scale * static_cast<float>(mul(raster.width, UnitsPerPixel));
            float H = scale * static_cast<float>(mul(raster.height, UnitsPerPixel));
            sizing.apply(W, H, static_cast<double>(scale) * raster.width, static_cast<double>(scale) * raster.height);
            if (embedding == eOriginal)
                return rtf::appendBlipPicture(out, picture, kind, source, raster.width, raster.height, W, H);
            // Both: readers that take shapes' pictures show the file, the
            // others the metafile.
            return rtf::appendBothForms(
                out,
                [&] { return rtf::appendBlipPicture(out, picture, kind, source, raster.width, raster.height, W, H); },
                [&] { return convertRaster(out, picture, raster, sizing, scale); });
        }
        if (scale == 1.0f) {
            RasterGroup group(out, picture, sizing);
            return loadRaster(source, group) && group.finish();
        }
        Raster raster;
        return loadRaster(source, raster) && convertRaster(out, picture, raster, sizing, scale);
    } catch (const std::bad_alloc&) {
        // Out of memory fails the insert, as it fails every other.
        throw;
    } catch (...) {
        return false;
    }
}

}  // namespace velloran::detail
