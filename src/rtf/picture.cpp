#include "rtf/picture.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <velloran/picture.hpp>

#include "common/access.hpp"
#include "rtf/border.hpp"
#include "common/numtext.hpp"

namespace velloran::rtf {

using detail::appendNum;
using detail::Metafile;
namespace {

// "000102...FDFEFF", built once per thread on first use.
const std::array<char, 512>& hexTable() {
    thread_local const std::array<char, 512> table = [] {
        static const char digits[] = "0123456789ABCDEF";
        std::array<char, 512> t{};
        for (int b = 0; b < 256; ++b) {
            t[2 * static_cast<std::size_t>(b)] = digits[b >> 4];
            t[2 * static_cast<std::size_t>(b) + 1] = digits[b & 0xF];
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
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time, each block read whole before its digits are
    // stored: a nibble n becomes '0' + n, and 7 more from 10 on.
    const __m128i nibble = _mm_set1_epi8(0x0F), nine = _mm_set1_epi8(9);
    const __m128i zero = _mm_set1_epi8('0'), letters = _mm_set1_epi8('A' - '0' - 10);
    auto digits = [&](__m128i n) {
        return _mm_add_epi8(_mm_add_epi8(n, zero), _mm_and_si128(_mm_cmpgt_epi8(n, nine), letters));
    };
    for (; count - i >= 16; i += 16) {
        __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        __m128i high = digits(_mm_and_si128(_mm_srli_epi16(in, 4), nibble));
        __m128i low = digits(_mm_and_si128(in, nibble));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hex + 2 * i), _mm_unpacklo_epi8(high, low));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hex + 2 * i + 16), _mm_unpackhi_epi8(high, low));
    }
#endif
    const char* table = hexTable().data();
    // Two digits a byte, copied as one 16-bit unit.
    for (; i < count; ++i) std::memcpy(hex + 2 * i, table + std::size_t{2} * bytes[i], 2);
}

std::uint64_t hexLinesSize(std::uint64_t bytes) { return 2 * bytes + 2 * ((bytes + LineBytes - 1) / LineBytes); }

std::uint64_t hexPlace(std::uint64_t offset) { return 2 * offset + 2 * (offset / LineBytes); }

void HexLines::write(const char* bytes, std::size_t count) {
    const auto* src = reinterpret_cast<const unsigned char*>(bytes);
    while (count > 0) {
        std::size_t chunk = std::min(count, LineBytes - column_);
        BytesToHex(src, at_, chunk);
        at_ += 2 * chunk;
        src += chunk;
        count -= chunk;
        column_ += chunk;
        if (column_ == LineBytes) {
            *at_++ = '\r';
            *at_++ = '\n';
            column_ = 0;
        }
    }
}

char* HexLines::finish() {
    if (column_ > 0) {
        *at_++ = '\r';
        *at_++ = '\n';
        column_ = 0;
    }
    return at_;
}

void appendHexLines(std::string& out, std::string_view bytes) {
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(hexLinesSize(bytes.size())));
    HexLines hex(out.data() + at);
    hex.write(bytes.data(), bytes.size());
    hex.finish();
}

void appendSingle(std::string& out, double wholeNumber) {
    if (wholeNumber == 0) out += ' ';
    else appendNum(out, static_cast<std::int64_t>(wholeNumber));
}

namespace {

// The opening of a picture group: its kind, picw and pich (a metafile's size,
// a bitmap's pixels), the goal size in twips from the size W by H in
// hundredths of a millimetre, the words after the goals, and the border.
// False, with nothing appended, for a size beyond 32 bits.
bool appendOpening(std::string& out, const cPicture& picture, std::string_view kind, std::int32_t picw,
                   std::int32_t pich, float W, float H, std::string_view afterGoals) {
    std::int32_t w, h;
    if (!roundSize(H, h) || !roundSize(W, w)) return false;
    std::size_t mark = out.size();
    try {
        // The border first: a picture without one appends nothing.
        std::string border;
        appendBorder(border, picture.Border.get());
        // One twip is 1.76 hundredths of a millimetre, the constant held in single precision.
        const double perTwip = static_cast<double>(1.76f);
        out += "{\\pict\\";
        out += kind;
        out += "\\picscalex100\\picscaley100\\picw";
        appendSingle(out, picw == 0 ? w : picw);
        out += "\\pich";
        appendSingle(out, pich == 0 ? h : pich);
        out += "\\picwgoal";
        appendSingle(out, static_cast<float>(std::floor(w / perTwip)));
        out += "\\pichgoal";
        appendSingle(out, static_cast<float>(std::floor(h / perTwip)));
        out += afterGoals;
        out += border;
        out += "\r\n";
        return true;
    } catch (const std::bad_alloc&) {
        // Out of memory fails the insert; anything else refuses the picture.
        out.resize(mark);
        throw;
    } catch (...) {
        out.resize(mark);
        return false;
    }
}

}  // namespace

bool appendPictureStart(std::string& out, const cPicture& picture, float W, float H) {
    // A metafile's picw and pich are its size.
    return appendOpening(out, picture, "wmetafile8", 0, 0, W, H, "\\picbpp1 ");
}

bool appendBlipPicture(std::string& out, const cPicture& picture, std::string_view kind, std::string_view file,
                       std::int32_t px, std::int32_t py, float W, float H) {
    std::size_t mark = out.size();
    // A bitmap's picw and pich are its pixels.
    if (!appendOpening(out, picture, std::string(kind) + "blip", px, py, W, H, " ")) return false;
    try {
        appendHexLines(out, file);
        out += '}';
        return true;
    } catch (const std::bad_alloc&) {
        // Out of memory fails the insert; anything else refuses the picture.
        out.resize(mark);
        throw;
    } catch (...) {
        out.resize(mark);
        return false;
    }
}

bool WritePictureRtf(std::string& out, const cPicture& picture, const Metafile& metafile, float W, float H) {
    if (metafile.size() == 0) return false;
    const std::size_t mark = out.size();
    if (!appendPictureStart(out, picture, W, H)) return false;
    try {
        const std::uint64_t hexBytes = hexLinesSize(metafile.size());
        const std::size_t at = out.size();
        if (hexBytes >= out.max_size() - at) {
            out.resize(mark);
            return false;
        }
        // A few bytes more for what closes the picture after it (both
        // forms' braces), which would otherwise move the whole.
        out.reserve(at + static_cast<std::size_t>(hexBytes) + 16);
        out.resize(at + static_cast<std::size_t>(hexBytes) + 1);
        HexLines hex(out.data() + at);
        hex.write(metafile.head.data(), metafile.head.size());
        hex.write(metafile.body, metafile.bodyBytes);
        hex.write(metafile.tail.data(), metafile.tail.size());
        hex.finishGroup();
        return true;
    } catch (const std::bad_alloc&) {
        // Out of memory fails the insert; anything else refuses the picture.
        out.resize(mark);
        throw;
    } catch (...) {
        out.resize(mark);
        return false;
    }
}

}  // namespace velloran::rtf
