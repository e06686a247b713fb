// The recorder of standard metafiles, and the reading of placeable ones.
#include "picture/metafile.hpp"

#include <algorithm>
#include <cstdlib>

#include "picture/metafile_records.hpp"

namespace velloran::detail {
namespace {

// Records that make a graphics object (the obsolete bitmap and brush ones
// among them), which takes the lowest free place in the object table.
bool makesObject(std::uint32_t function) {
    switch (function) {
    case 0x00F7:
    case 0x00F8:
    case 0x0142:
    case 0x01F9:
    case 0x02FA:
    case 0x02FB:
    case 0x02FC:
    case 0x02FD:
    case 0x06FE:
    case 0x06FF: return true;
    default: return false;
    }
}

// The records of a standard metafile, checked against the bytes; nothing
// when the header or a record is not sound.
struct Walk {
    std::uint32_t largest = 0;  // in words
    std::uint16_t objects = 0;
    std::size_t end = 0;  // offset of the end record
};

std::optional<Walk> walkRecords(std::string_view m) {
    if (m.size() < HeaderBytes) return std::nullopt;
    std::uint32_t type = get16(m, 0), headerWords = get16(m, 2);
    if ((type != 1 && type != 2) || headerWords != 9) return std::nullopt;
    Walk walk;
    ObjectTable objects;
    for (std::size_t at = HeaderBytes;;) {
        if (m.size() - at < 6) return std::nullopt;
        std::uint64_t bytes = std::uint64_t{get32(m, at)} * 2;
        if (bytes < 6 || bytes > m.size() - at) return std::nullopt;
        std::uint32_t function = get16(m, at + 4);
        if (function == MetaEof) {
            walk.end = at;
            walk.objects = objects.size();
            return walk;
        }
        if (makesObject(function) && !objects.make()) return std::nullopt;
        if (function == MetaDeleteObject && bytes >= 8) objects.remove(get16(m, at + 6));
        walk.largest = std::max(walk.largest, get32(m, at));
        at += static_cast<std::size_t>(bytes);
    }
}

}  // namespace

// The header's room is kept at the front, filled in when the recording ends.
MetafileRecorder::MetafileRecorder() { metafile_.head.assign(HeaderBytes, '\0'); }

void MetafileRecorder::record(std::uint16_t function, std::initializer_list<std::uint16_t> words) {
    auto size = static_cast<std::uint32_t>(3 + words.size());
    std::string& out = records();
    put32(out, size);
    put16(out, function);
    for (std::uint16_t w : words) put16(out, w);
    largest_ = std::max(largest_, size);
}

void MetafileRecorder::setMapMode(std::uint16_t mode) { record(MetaSetMapMode, {mode}); }

void MetafileRecorder::setStretchBltMode(std::uint16_t mode) { record(MetaSetStretchBltMode, {mode}); }

void MetafileRecorder::setWindowOrg(std::int16_t x, std::int16_t y) {
    record(MetaSetWindowOrg, {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(x)});
}

void MetafileRecorder::setWindowExt(std::int16_t width, std::int16_t height) {
    record(MetaSetWindowExt, {static_cast<std::uint16_t>(height), static_cast<std::uint16_t>(width)});
}

void MetafileRecorder::stretchDib(std::int32_t bitmapWidth, std::int32_t bitmapHeight, std::int16_t width,
                                  std::int16_t height) {
    const std::size_t image = bitmapStride(bitmapWidth) * static_cast<std::size_t>(bitmapHeight);
    const std::size_t bytes = 6 + 4 + 2 + 16 + 40 + image;
    auto words = static_cast<std::uint32_t>(bytes / 2);
    std::string& out = records();
    put32(out, words);
    put16(out, MetaStretchDib);
    put32(out, SrcCopy);
    put16(out, 0);                                         // colours are RGB values
    put16(out, static_cast<std::uint16_t>(bitmapHeight));  // source height, width, y, x
    put16(out, static_cast<std::uint16_t>(bitmapWidth));
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(height));  // destination height, width, y, x
    put16(out, static_cast<std::uint16_t>(width));
    put16(out, 0);
    put16(out, 0);
    put32(out, 40);  // the bitmap header
    put32(out, static_cast<std::uint32_t>(bitmapWidth));
    put32(out, static_cast<std::uint32_t>(bitmapHeight));  // positive: bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(image));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    metafile_.body = nullptr;
    metafile_.bodyBytes = image;
    largest_ = std::max(largest_, words);
}

bool MetafileRecorder::play(std::string_view metafile) {
    auto walk = walkRecords(metafile);
    if (!walk || metafile_.bodyBytes) return false;
    metafile_.body = metafile.data() + HeaderBytes;
    metafile_.bodyBytes = walk->end - HeaderBytes;
    largest_ = std::max(largest_, walk->largest);
    objects_ = walk->objects;
    return true;
}

Metafile MetafileRecorder::finish() {
    put32(records(), 3);
    put16(records(), MetaEof);
    std::string header;
    put16(header, 1);       // in memory
    put16(header, 9);       // header words
    put16(header, 0x0300);  // version
    put32(header, static_cast<std::uint32_t>(metafile_.size() / 2));
    put16(header, objects_);
    put32(header, largest_);
    put16(header, 0);
    metafile_.head.replace(0, HeaderBytes, header);
    return std::move(metafile_);
}

bool isPlaceableMetafile(std::string_view file) { return file.size() >= 22 && get32(file, 0) == PlaceableKey; }

std::optional<PlaceableMetafile> readPlaceableMetafile(std::string_view file) {
    if (!isPlaceableMetafile(file)) return std::nullopt;
    auto box = [&](std::size_t at) { return static_cast<std::int16_t>(get16(file, at)); };
    std::int32_t left = box(6), top = box(8), right = box(10), bottom = box(12);
    std::uint32_t inch = get16(file, 14);
    if (inch == 0 || right == left || bottom == top) return std::nullopt;
    std::string_view records = file.substr(22);
    if (records.size() > MaxRasterBytes || !walkRecords(records)) return std::nullopt;
    return PlaceableMetafile{static_cast<float>(std::abs(right - left)) * 96.0f / static_cast<float>(inch),
                             static_cast<float>(std::abs(bottom - top)) * 96.0f / static_cast<float>(inch), records};
}

}  // namespace velloran::detail
