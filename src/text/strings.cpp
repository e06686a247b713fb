#include "text/strings.hpp"

#include <cstdint>

#include "common/numtext.hpp"
#include "common/utf8.hpp"

namespace velloran::detail {

void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement) {
    if (text.empty() || find.empty()) return;
    if (!replacement.empty() && replacement.find(find) != std::string::npos) {
        // Continuing: inserted text is never searched again, so one pass does it.
        std::string result;
        std::size_t from = 0;
        for (std::size_t hit; (hit = text.find(find, from)) != std::string::npos; from = hit + find.size()) {
            result.append(text, from, hit - from);
            result += replacement;
        }
        result.append(text, from, std::string::npos);
        text.swap(result);
        return;
    }
    // Restarting: a new occurrence can only begin where the prefix before the
    // last hit meets the replacement, so searching again from just before the
    // hit finds the same first occurrence as searching from the start.
    std::size_t from = 0;
    for (std::size_t hit; (hit = text.find(find, from)) != std::string::npos;) {
        text.replace(hit, find.size(), replacement);
        from = hit >= find.size() - 1 ? hit - (find.size() - 1) : 0;
    }
}

void ReplaceChar(std::string& text, std::string& find, std::string& replacement) {
    if (!find.empty() && !replacement.empty()) {
        for (std::size_t hit = text.find(find); hit != std::string::npos; hit = text.find(find, hit + 1))
            text[hit] = replacement[0];
    }
    find.clear();
    replacement.clear();
}

std::size_t InStrLast(std::string_view text, std::string_view find, std::size_t start) {
    if (text.empty() || find.empty()) return 0;
    if (start == 0) start = 1;
    std::size_t hit = text.rfind(find);
    if (hit == std::string_view::npos || hit + 1 < start) return 0;
    return hit + 1;
}

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

template <bool Run>
void appendEscaped(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size());
    bool ucWritten = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Copy the stretch that needs no escaping in one go.
        std::size_t plain = pos;
        while (plain < text.size()) {
            unsigned char b = static_cast<unsigned char>(text[plain]);
            if (b >= 0x80 || b == '\\' || b == '{' || b == '}') break;
            if (Run && (b == '\t' || b == '\r' || b == '\n')) break;
            ++plain;
        }
        out.append(text.data() + pos, plain - pos);
        pos = plain;
        if (pos == text.size()) break;
        char b = text[pos];
        switch (b) {
        case '\\': out += "\\\\"; ++pos; continue;
        case '{': out += "\\{"; ++pos; continue;
        case '}': out += "\\}"; ++pos; continue;
        case '\t': out += "\\tab "; ++pos; continue;
        case '\r':
            out += "\\line ";
            pos += pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
            continue;
        case '\n': out += "\\line "; ++pos; continue;
        default: break;
        }
        char32_t c = decodeUtf8(text, pos);
        if (Run && c == 0x2022)
            out += "\\bullet ";
        else
            appendUnicodeEscape(out, c, ucWritten);
    }
}

}  // namespace

void appendEscapedName(std::string& out, std::string_view utf8) { appendEscaped<false>(out, utf8); }

void appendEscapedRunText(std::string& out, std::string_view utf8) { appendEscaped<true>(out, utf8); }

}  // namespace velloran::detail
