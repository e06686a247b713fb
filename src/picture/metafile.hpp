// A recorder of standard Windows metafiles (no placeable header), and the
// reading of placeable metafile files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "picture/raster.hpp"

namespace velloran::detail {

inline constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;

class MetafileRecorder {
public:
    MetafileRecorder();

    void setMapMode(std::uint16_t mode);
    void setStretchBltMode(std::uint16_t mode);
    void setWindowOrg(std::int16_t x, std::int16_t y);
    void setWindowExt(std::int16_t width, std::int16_t height);
    // One stretched copy of the whole raster, as a 24-bit bottom-up DIB, onto
    // the rectangle (0, 0) to (width, height) in logical units.
    void stretchDib(const Raster& raster, std::int16_t width, std::int16_t height);
    // Record the records of a standard metafile as they are, all but its end
    // record; false (recording nothing) when the bytes are no sound metafile.
    bool play(std::string_view metafile);

    // The finished metafile: header, records, end record.
    std::string finish();

private:
    void record(std::uint16_t function, std::initializer_list<std::uint16_t> words);

    std::string records_;
    std::uint32_t largest_ = 3;  // the end record
    std::uint16_t objects_ = 0;
};

// A placeable metafile: the size it shows at 96 pixels per inch and the
// standard metafile after its placeable header.
struct PlaceableMetafile {
    float pixelWidth;
    float pixelHeight;
    std::string_view records;  // a standard metafile, checked record by record
};

// True for a file of at least 22 bytes that starts with the placeable key.
bool isPlaceableMetafile(std::string_view file);
// The placeable metafile in a file, or nothing when its header or records are not sound.
std::optional<PlaceableMetafile> readPlaceableMetafile(std::string_view file);

}  // namespace velloran::detail
