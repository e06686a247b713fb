#include "picture/resolution.hpp"

#include <cstdint>

namespace velloran::detail {
namespace {

constexpr double MetresPerInch = 0.0254;
constexpr double CentimetresPerInch = 2.54;

std::uint32_t big16(std::string_view s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at]) << 8 | static_cast<unsigned char>(s[at + 1]));
}
std::uint32_t big32(std::string_view s, std::size_t at) { return big16(s, at) << 16 | big16(s, at + 2); }
std::uint32_t little32(std::string_view s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
    return v;
}

std::optional<Resolution> perInch(double x, double y) {
    if (!(x >= 1 && y >= 1)) return std::nullopt;
    return Resolution{x, y};
}

// The chunks before the image data; pHYs must come before it.
std::optional<Resolution> pngResolution(std::string_view file) {
    std::size_t at = 8;
    while (file.size() - at >= 12) {
        const std::uint32_t length = big32(file, at);
        const std::string_view type = file.substr(at + 4, 4);
        if (type == "IDAT" || type == "IEND" || length > file.size() - at - 12) break;
        if (type == "pHYs" && length == 9) {
            if (file[at + 16] != 1) break;  // the unit is the metre, or only the pixels' shape is given
            return perInch(big32(file, at + 8) * MetresPerInch, big32(file, at + 12) * MetresPerInch);
        }
        at += 12 + length;
    }
    return std::nullopt;
}

// The JFIF segment, the first after the start of the image in a JFIF file.
std::optional<Resolution> jpegResolution(std::string_view file) {
    std::size_t at = 2;
    while (file.size() - at >= 4 && static_cast<unsigned char>(file[at]) == 0xFF) {
        const unsigned marker = static_cast<unsigned char>(file[at + 1]);
        const std::uint32_t length = big16(file, at + 2);
        if (marker == 0xDA || length < 2 || length > file.size() - at - 2) break;  // the scan begins
        const std::string_view segment = file.substr(at + 4, length - 2);
        if (marker == 0xE0 && segment.size() >= 12 && segment.substr(0, 5) == std::string_view("JFIF\0", 5)) {
            const unsigned unit = static_cast<unsigned char>(segment[7]);
            const double x = big16(segment, 8), y = big16(segment, 10);
            if (unit == 1) return perInch(x, y);
            if (unit == 2) return perInch(x * CentimetresPerInch, y * CentimetresPerInch);
            break;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

// A BMP's info header (40 bytes or more) holds pixels per metre; the old
// core header holds none.
std::optional<Resolution> bmpResolution(std::string_view file) {
    if (file.size() < 46 || little32(file, 14) < 40) return std::nullopt;
    const auto x = static_cast<std::int32_t>(little32(file, 38)), y = static_cast<std::int32_t>(little32(file, 42));
    return perInch(x * MetresPerInch, y * MetresPerInch);
}

}  // namespace

std::optional<Resolution> fileResolution(std::string_view file) {
    if (file.substr(0, 8) == "\x89PNG\r\n\x1a\n") return pngResolution(file);
    if (file.substr(0, 3) == "\xFF\xD8\xFF") return jpegResolution(file);
    if (file.substr(0, 2) == "BM") return bmpResolution(file);
    return std::nullopt;
}

}  // namespace velloran::detail
