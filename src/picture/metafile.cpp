#include "picture/metafile.hpp"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <queue>
#include <vector>

namespace velloran::detail {
namespace {

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
std::uint32_t get16(std::string_view d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t get32(std::string_view d, std::size_t at) { return get16(d, at) | get16(d, at + 2) << 16; }

constexpr std::uint16_t MetaEof = 0x0000;
constexpr std::uint16_t MetaSetMapMode = 0x0103;
constexpr std::uint16_t MetaSetStretchBltMode = 0x0107;
constexpr std::uint16_t MetaSetWindowOrg = 0x020B;
constexpr std::uint16_t MetaSetWindowExt = 0x020C;
constexpr std::uint16_t MetaStretchDib = 0x0F43;
constexpr std::uint16_t MetaDeleteObject = 0x01F0;
constexpr std::uint32_t SrcCopy = 0x00CC0020;
constexpr std::size_t HeaderBytes = 18;

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

// The object table a metafile's records need, as its header declares it:
// the most objects alive at once.
class ObjectTable {
public:
    // False when the table would pass the header's 16-bit count.
    bool make() {
        if (!freed_.empty()) {
            alive_[freed_.top()] = true;
            freed_.pop();
            return true;
        }
        if (alive_.size() == 0xFFFF) return false;
        alive_.push_back(true);
        return true;
    }
    void remove(std::uint32_t index) {
        if (index < alive_.size() && alive_[index]) {
            alive_[index] = false;
            freed_.push(index);
        }
    }
    std::uint16_t size() const { return static_cast<std::uint16_t>(alive_.size()); }

private:
    std::vector<bool> alive_;
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> freed_;
};

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

bool isEnhancedMetafile(std::string_view file) {
    constexpr std::uint32_t Signature = 0x464D4520;  // " EMF"
    return file.size() >= 88 && get32(file, 0) == 1 && get32(file, 40) == Signature;
}

std::optional<EnhancedMetafile> readEnhancedMetafile(std::string_view file) {
    if (!isEnhancedMetafile(file)) return std::nullopt;
    constexpr std::uint32_t EndOfFile = 14;
    const std::uint64_t bytes = get32(file, 48);
    if (bytes > file.size() || bytes > MaxRasterBytes) return std::nullopt;
    // The frame's size is its right less its left, its bottom less its top.
    auto at = [&](std::size_t offset) {
        return static_cast<std::int64_t>(static_cast<std::int32_t>(get32(file, offset)));
    };
    const std::int64_t width = at(32) - at(24), height = at(36) - at(28);
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    std::uint64_t offset = 0;
    std::uint32_t type = 0, lastSize = 0;
    while (offset < bytes) {
        if (bytes - offset < 8) return std::nullopt;
        type = get32(file, static_cast<std::size_t>(offset));
        const std::uint32_t size = get32(file, static_cast<std::size_t>(offset) + 4);
        if (size < 8 || size % 4 != 0 || size > bytes - offset) return std::nullopt;
        if (offset == 0 && size < 88) return std::nullopt;
        offset += size;
        lastSize = size;
    }
    // The end-of-file record holds its palette's count and place and its own size.
    if (type != EndOfFile || lastSize < 20) return std::nullopt;
    return EnhancedMetafile{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                            static_cast<std::size_t>(bytes)};
}

}  // namespace velloran::detail
