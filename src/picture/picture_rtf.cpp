#include "picture/picture_rtf.hpp"

#include <array>
#include <cmath>
#include <cstring>

#include <velloran/picture.hpp>

#include "common/access.hpp"
#include "common/files.hpp"
#include "common/numtext.hpp"
#include "common/platform.hpp"

namespace velloran::detail {
namespace {

// "000102...FDFEFF", built once per thread on first use.
const std::array<char, 512>& hexTable() {
    thread_local const std::array<char, 512> table = [] {
        static const char digits[] = "0123456789ABCDEF";
        std::array<char, 512> t{};
        for (int b = 0; b < 256; ++b) {
            t[static_cast<std::size_t>(2 * b)] = digits[b >> 4];
            t[static_cast<std::size_t>(2 * b + 1)] = digits[b & 0xF];
        }
        return t;
    }();
    return table;
}

constexpr std::size_t LineBytes = 60000;

// A size rounded to a 32-bit integer, halves to the even neighbour; 0 becomes 1.
bool roundSize(float value, std::int32_t& out) {
    double r = std::nearbyint(static_cast<double>(value));
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
    out = static_cast<std::int32_t>(r);
    if (out == 0) out = 1;
    return true;
}

}  // namespace

void BytesToHex(const unsigned char* bytes, char* hex, std::size_t count) {
    const char* table = hexTable().data();
    // Two digits a byte, copied as one 16-bit unit.
    for (std::size_t i = 0; i < count; ++i) std::memcpy(hex + 2 * i, table + 2 * bytes[i], 2);
}

void appendHexLines(std::string& out, std::string_view bytes) {
    std::size_t lines = (bytes.size() + LineBytes - 1) / LineBytes;
    std::size_t at = out.size();
    out.resize(at + 2 * bytes.size() + 2 * lines);
    char* dst = out.data() + at;
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t left = bytes.size(); left > 0;) {
        std::size_t chunk = left < LineBytes ? left : LineBytes;
        BytesToHex(src, dst, chunk);
        dst += 2 * chunk;
        *dst++ = '\r';
        *dst++ = '\n';
        src += chunk;
        left -= chunk;
    }
}

void appendSingle(std::string& out, double wholeNumber) {
    if (wholeNumber == 0)
        out += ' ';
    else
        appendNum(out, static_cast<std::int64_t>(wholeNumber));
}

bool WritePictureRtf(std::string& out, const cPicture& picture, const std::string& metafilePath, float W, float H) {
    if (metafilePath.empty() || !FileExists(metafilePath)) return false;
    std::int32_t w, h;
    if (!roundSize(H, h) || !roundSize(W, w)) return false;
    std::size_t mark = out.size();
    try {
        // The border first: a picture without one appends nothing.
        std::string border;
        appendBorder(border, picture.Border.get());
        std::string metafile = platform::readFile(metafilePath);
        // One twip is 1.76 hundredths of a millimetre, the constant held in single precision.
        const double perTwip = static_cast<double>(1.76f);
        out += "{\\pict\\wmetafile8\\picscalex100\\picscaley100\\picw";
        appendSingle(out, w);
        out += "\\pich";
        appendSingle(out, h);
        out += "\\picwgoal";
        appendSingle(out, static_cast<float>(std::floor(w / perTwip)));
        out += "\\pichgoal";
        appendSingle(out, static_cast<float>(std::floor(h / perTwip)));
        out += "\\picbpp1 ";
        out += border;
        out += "\r\n";
        appendHexLines(out, metafile);
        out += '}';
        return true;
    } catch (...) {
        out.resize(mark);
        return false;
    }
}

}  // namespace velloran::detail
