// A recorder of standard Windows metafiles (no placeable header), and the
// reading of placeable metafile files (enhanced ones: picture/enhanced.hpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "picture/raster.hpp"

namespace velloran::detail {

inline constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;

// A finished metafile in three parts, so that its one large part, a
// bitmap's bits or the records of a metafile file, is never copied.
struct Metafile {
    std::string head;            // the header and the records before the body
    const char* body = nullptr;  // bodyBytes bytes, kept where they are
    std::size_t bodyBytes = 0;
    std::string tail;  // the records after the body, up to the end record

    std::uint64_t size() const { return head.size() + std::uint64_t{bodyBytes} + tail.size(); }
};

class MetafileRecorder {
public:
    MetafileRecorder();

    void setMapMode(std::uint16_t mode);
    void setStretchBltMode(std::uint16_t mode);
    void setWindowOrg(std::int16_t x, std::int16_t y);
    void setWindowExt(std::int16_t width, std::int16_t height);
    // One stretched copy of a whole bitmap of bitmapWidth x bitmapHeight
    // pixels (24 bits a pixel, bottom-up) onto the rectangle (0, 0) to
    // (width, height) in logical units. The record's bitmap bits are the
    // body of the finished metafile: the caller supplies them.
    void stretchDib(std::int32_t bitmapWidth, std::int32_t bitmapHeight, std::int16_t width, std::int16_t height);
    // Record the records of a standard metafile as they are, all but its end
    // record, as the body: they are not copied, so they must stay until the
    // metafile is written. False (recording nothing) when the bytes are no
    // sound metafile.
    bool play(std::string_view metafile);

    // The finished metafile: header, records, end record. The recorder is
    // spent.
    Metafile finish();

private:
    void record(std::uint16_t function, std::initializer_list<std::uint16_t> words);
    // Where the next record goes: after the body once there is one.
    std::string& records() { return metafile_.bodyBytes ? metafile_.tail : metafile_.head; }

    Metafile metafile_;
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
