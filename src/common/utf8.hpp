// UTF-8 decoding and encoding. Invalid input (a stray continuation byte, a
// truncated or overlong sequence, a surrogate, a value above U+10FFFF)
// decodes as U+FFFD and consumes one byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velloran::detail {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// Decode the character starting at text[pos] and advance pos past it.
inline char32_t decodeUtf8(std::string_view text, std::size_t& pos) noexcept {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    std::size_t length;
    char32_t c, minimum;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return ReplacementCharacter;
    }
    if (text.size() - pos < length) {
        ++pos;
        return ReplacementCharacter;
    }
    for (std::size_t i = 1; i < length; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return ReplacementCharacter;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return ReplacementCharacter;
    }
    pos += length;
    return c;
}

inline void encodeUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-8 as UTF-16 code units: a character beyond U+FFFF as a surrogate pair.
template <class Unit>
std::basic_string<Unit> toUtf16(std::string_view utf8) {
    std::basic_string<Unit> out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = decodeUtf8(utf8, pos);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<Unit>(0xD800 + (c >> 10));
            out += static_cast<Unit>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<Unit>(c);
        }
    }
    return out;
}

// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD.
template <class Unit>
std::string fromUtf16(const Unit* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        char32_t next = i + 1 < length ? static_cast<char16_t>(text[i + 1]) : 0;
        if (c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = ReplacementCharacter;
        }
        encodeUtf8(out, c);
    }
    return out;
}

}  // namespace velloran::detail
