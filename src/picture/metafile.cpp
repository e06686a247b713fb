#include "picture/metafile.hpp"

#include <algorithm>
#include <cstdlib>

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
constexpr std::uint32_t SrcCopy = 0x00CC0020;
constexpr std::size_t HeaderBytes = 18;

// The size in words of each record of a standard metafile, checked against
// the bytes; nothing when the header or a record is not sound.
struct Walk {
    std::uint32_t largest = 0;
    std::uint16_t objects = 0;
    std::size_t end = 0;  // offset of the end record
};

std::optional<Walk> walkRecords(std::string_view m) {
    if (m.size() < HeaderBytes) return std::nullopt;
    std::uint32_t type = get16(m, 0), headerWords = get16(m, 2);
    if ((type != 1 && type != 2) || headerWords != 9) return std::nullopt;
    Walk walk;
    walk.objects = static_cast<std::uint16_t>(get16(m, 10));
    for (std::size_t at = HeaderBytes;;) {
        if (m.size() - at < 6) return std::nullopt;
        std::uint64_t bytes = std::uint64_t{get32(m, at)} * 2;
        if (bytes < 6 || bytes > m.size() - at) return std::nullopt;
        if (get16(m, at + 4) == MetaEof) {
            walk.end = at;
            return walk;
        }
        walk.largest = std::max(walk.largest, get32(m, at));
        at += static_cast<std::size_t>(bytes);
    }
}

}  // namespace

// The header's room is kept at the front, filled in when the recording ends.
MetafileRecorder::MetafileRecorder() : records_(HeaderBytes, '\0') {}

void MetafileRecorder::record(std::uint16_t function, std::initializer_list<std::uint16_t> words) {
    auto size = static_cast<std::uint32_t>(3 + words.size());
    put32(records_, size);
    put16(records_, function);
    for (std::uint16_t w : words) put16(records_, w);
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

void MetafileRecorder::stretchDib(const Raster& raster, std::int16_t width, std::int16_t height) {
    const std::size_t stride = (static_cast<std::size_t>(raster.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t image = stride * static_cast<std::size_t>(raster.height);
    const std::size_t bytes = 6 + 4 + 2 + 16 + 40 + image;
    auto words = static_cast<std::uint32_t>(bytes / 2);
    records_.reserve(records_.size() + bytes);
    put32(records_, words);
    put16(records_, MetaStretchDib);
    put32(records_, SrcCopy);
    put16(records_, 0);  // colours are RGB values
    put16(records_, static_cast<std::uint16_t>(raster.height));  // source height, width, y, x
    put16(records_, static_cast<std::uint16_t>(raster.width));
    put16(records_, 0);
    put16(records_, 0);
    put16(records_, static_cast<std::uint16_t>(height));  // destination height, width, y, x
    put16(records_, static_cast<std::uint16_t>(width));
    put16(records_, 0);
    put16(records_, 0);
    put32(records_, 40);  // the bitmap header
    put32(records_, static_cast<std::uint32_t>(raster.width));
    put32(records_, static_cast<std::uint32_t>(raster.height));  // positive: bottom-up
    put16(records_, 1);
    put16(records_, 24);
    put32(records_, 0);
    put32(records_, static_cast<std::uint32_t>(image));
    put32(records_, 0);
    put32(records_, 0);
    put32(records_, 0);
    put32(records_, 0);
    std::size_t at = records_.size();
    records_.resize(at + image, '\0');
    for (std::int32_t y = 0; y < raster.height; ++y) {
        const std::uint8_t* src = raster.row(raster.height - 1 - y);
        char* dst = records_.data() + at + stride * static_cast<std::size_t>(y);
        for (std::int32_t x = 0; x < raster.width; ++x) {
            dst[x * 3] = static_cast<char>(src[x * 3 + 2]);
            dst[x * 3 + 1] = static_cast<char>(src[x * 3 + 1]);
            dst[x * 3 + 2] = static_cast<char>(src[x * 3]);
        }
    }
    largest_ = std::max(largest_, words);
}

bool MetafileRecorder::play(std::string_view metafile) {
    auto walk = walkRecords(metafile);
    if (!walk) return false;
    records_.append(metafile.substr(HeaderBytes, walk->end - HeaderBytes));
    largest_ = std::max(largest_, walk->largest);
    objects_ = std::max(objects_, walk->objects);
    return true;
}

std::string MetafileRecorder::finish() {
    put32(records_, 3);
    put16(records_, MetaEof);
    std::string header;
    put16(header, 1);       // in memory
    put16(header, 9);       // header words
    put16(header, 0x0300);  // version
    put32(header, static_cast<std::uint32_t>(records_.size() / 2));
    put16(header, objects_);
    put32(header, largest_);
    put16(header, 0);
    records_.replace(0, HeaderBytes, header);
    std::string out = std::move(records_);
    records_.assign(HeaderBytes, '\0');
    return out;
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
