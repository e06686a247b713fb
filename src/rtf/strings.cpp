#include "rtf/strings.hpp"

#include <cstdint>

#include "common/numtext.hpp"
#include "common/utf8.hpp"

namespace velloran::rtf {

using detail::appendNum;
using detail::decodeUtf8;

namespace {

// A character above U+007F as one \uN escape per UTF-16 code unit (N signed,
// 16 bits), each followed by a "?" for readers without Unicode. The "\uc1"
// that says so is written once per piece of host text, and every piece sits
// in a group of its own, so the document's "\uc0" holds everywhere else.
// Readers that ignore \uc (pandoc) or drop it in headers (LibreOffice) still
// read the character after the escape right only with this form.
void appendUnicodeEscape(std::string& out, char32_t c, bool& ucWritten) {
    if (!ucWritten) {
        out += "\\uc1";
        ucWritten = true;
    }
    auto unit = [&](std::uint32_t u) {
        out += "\\u";
        appendNum(out, static_cast<std::int16_t>(static_cast<std::uint16_t>(u)));
        out += "\\'3f";
    };
    if (c >= 0x10000) {
        c -= 0x10000;
        unit(0xD800 + (c >> 10));
        unit(0xDC00 + (c & 0x3FF));
    } else {
        unit(c);
    }
}

enum class Kind { Run, Info, Font };

// A control character as the hexadecimal escape of its byte.
void appendHexEscape(std::string& out, unsigned char b) {
    static constexpr char Digits[] = "0123456789abcdef";
    out += "\\'";
    out += Digits[b >> 4];
    out += Digits[b & 15];
}

template <Kind K>
void appendEscaped(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size());
    bool ucWritten = false;
    // An information string says "\uc1" first: AbiWord prints one that
    // says it later into the body.
    if (K == Kind::Info) {
        for (char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                out += "\\uc1 ";
                ucWritten = true;
                break;
            }
        }
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Copy the stretch that needs no escaping in one go.
        std::size_t plain = pos;
        while (plain < text.size()) {
            unsigned char b = static_cast<unsigned char>(text[plain]);
            if (b >= 0x7F || b < 0x20 || b == '\\' || b == '{' || b == '}') break;
            if (K == Kind::Font && b == ';') break;
            ++plain;
        }
        out.append(text.data() + pos, plain - pos);
        pos = plain;
        if (pos == text.size()) break;
        unsigned char b = static_cast<unsigned char>(text[pos]);
        if (b == '\\' || b == '{' || b == '}') {
            // AbiWord prints an information string that holds "\{" into the
            // body; it reads the byte's escape.
            if (K == Kind::Info) {
                appendHexEscape(out, b);
                ++pos;
                continue;
            }
            out += '\\';
            out += static_cast<char>(b);
            ++pos;
            continue;
        }
        // A run writes tab and line breaks as its own control words; every
        // other control character, and any in a name (where a ";" would end
        // a font's entry), is written as its byte, so no reader takes it raw.
        if (K == Kind::Run && b == '\t') {
            out += "\\tab ";
            ++pos;
            continue;
        }
        if (b == '\r' || b == '\n') {
            // A name is one line: a line break there is a space. Written as
            // \'0d or \'0a, LibreOffice would start the body with an empty
            // paragraph for each.
            out += K == Kind::Run ? "\\line " : " ";
            pos += b == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
            continue;
        }
        // A ";" ends a font's entry however it is written: LibreOffice cuts the
        // name there even when it is \'3b, and AbiWord then loses every
        // paragraph of the document. A font name leaves it out.
        if (K == Kind::Font && b == ';') {
            ++pos;
            continue;
        }
        if (b < 0x20 || b == 0x7F) {
            appendHexEscape(out, b);
            ++pos;
            continue;
        }
        char32_t c = decodeUtf8(text, pos);
        if (K == Kind::Run && c == 0x2022) out += "\\bullet ";
        else appendUnicodeEscape(out, c, ucWritten);
    }
}

}  // namespace

void appendEscapedInfo(std::string& out, std::string_view utf8) { appendEscaped<Kind::Info>(out, utf8); }

void appendEscapedFontName(std::string& out, std::string_view utf8) { appendEscaped<Kind::Font>(out, utf8); }

void appendEscapedRunText(std::string& out, std::string_view utf8) { appendEscaped<Kind::Run>(out, utf8); }

}  // namespace velloran::rtf
