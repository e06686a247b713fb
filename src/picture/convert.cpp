#include "picture/convert.hpp"

#include <algorithm>
#include <cmath>

#include <velloran/paragraph.hpp>
#include <velloran/picture.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/files.hpp"
#include "common/platform.hpp"
#include "picture/picture_rtf.hpp"

namespace velloran::detail {
namespace {

// A size rounded to a 32-bit integer, halves to the even neighbour.
std::int32_t rounded(float value) {
    double r = std::nearbyint(static_cast<double>(value));
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) overflow();
    return static_cast<std::int32_t>(r);
}

// A temporary file's name whose file is deleted at once: only the name is
// kept, and whatever is made under it later goes when the guard does.
class ReservedName {
public:
    ReservedName() {
        std::string prefix, folder;
        path_ = TempFileName(prefix, folder);
        if (path_.empty()) throw Error(errors::PathFileAccessError);
        KillFile(path_);
    }
    ReservedName(const ReservedName&) = delete;
    ReservedName& operator=(const ReservedName&) = delete;
    ~ReservedName() { KillFile(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

constexpr std::int32_t UnitsPerPixel = 20;
// No picture file that fits the raster limit comes near this size.
constexpr std::uint64_t MaxPictureFileBytes = 512ull << 20;
constexpr std::int32_t MaxCoordinate = 32767;

}  // namespace

bool loadRaster(std::string_view file, Raster& out) {
    if (file.substr(0, 2) == "BM") return readBmp(file, out);
    return decodeWithSystem(file, out);
}

bool recordRaster(MetafileRecorder& recorder, const Raster& raster, float& W, float& H) {
    const std::int32_t px = raster.width, py = raster.height;
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
    recorder.stretchDib(raster, static_cast<std::int16_t>(px * k), static_cast<std::int16_t>(py * k));
    return true;
}

bool ConvertPicture(const std::string& fragmentPath, const cPicture& picture, const std::string& file, float width,
                    float height, float scale) {
    if (!FileExists(file)) return false;
    try {
        if (!(scale > 0)) scale = 1;
        auto length = platform::fileLength(file);
        if (!length || *length > MaxPictureFileBytes) return false;
        const std::string source = platform::readFile(file);
        std::optional<PlaceableMetafile> placeable;
        Raster raster;
        if (isPlaceableMetafile(source)) {
            placeable = readPlaceableMetafile(source);
            if (!placeable) return false;
        } else if (!loadRaster(source, raster)) {
            return false;
        }
        ReservedName metafileName;
        MetafileRecorder recorder;
        recorder.setMapMode(8);  // MM_ANISOTROPIC
        float W, H;
        bool drawn;
        if (placeable) {
            std::int32_t px = rounded(placeable->pixelWidth), py = rounded(placeable->pixelHeight);
            W = scale * static_cast<float>(mul(px, UnitsPerPixel));
            H = scale * static_cast<float>(mul(py, UnitsPerPixel));
            drawn = recorder.play(placeable->records);
        } else {
            if (scale != 1.0f) {
                // Resample onto a canvas of the scaled size, then take the
                // canvas back through a bitmap file as the picture.
                std::int32_t cw = std::max(1, rounded(static_cast<float>(raster.width) * scale));
                std::int32_t ch = std::max(1, rounded(static_cast<float>(raster.height) * scale));
                if (!rasterFits(cw, ch)) return false;
                Raster canvas = stretchNearest(raster, cw, ch);
                ReservedName bitmapName;
                platform::writeFile(bitmapName.path(), writeBmp(canvas), true);
                Raster reloaded;
                if (!readBmp(platform::readFile(bitmapName.path()), reloaded)) return false;
                raster = std::move(reloaded);
            }
            drawn = recordRaster(recorder, raster, W, H);
        }
        std::string metafile = recorder.finish();
        if (!drawn || metafile.empty()) return false;
        platform::writeFile(metafileName.path(), metafile, true);
        metafile = std::string();
        if (width != 0) W = width;
        if (height != 0) H = height;
        std::string group;
        if (!WritePictureRtf(group, picture, metafileName.path(), W, H)) return false;
        platform::writeFile(fragmentPath, group, false);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace velloran::detail

namespace velloran {

Boolean cParagraph::InsertPicture(const std::shared_ptr<cPicture>& Picture) {
    if (!Picture) return False;
    const std::string file = Picture->File;
    const auto width = static_cast<float>(Picture->Width);
    const auto height = static_cast<float>(Picture->Height);
    const float scale = Picture->ScaleFactor;
    if (!detail::FileExists(file)) return False;
    // The picture group comes back through a fragment file of its own, which
    // goes on every path.
    detail::TempFile fragment;
    if (fragment.path().empty()) throw Error(errors::PathFileAccessError);
    if (!detail::ConvertPicture(fragment.path(), *Picture, file, width, height, scale)) return False;
    contentRtf_.append(platform::readFile(fragment.path()));
    return True;
}

}  // namespace velloran
