#include <velloran/text.hpp>

#include "common/access.hpp"
#include "common/module_values.hpp"
#include "rtf/strings.hpp"

namespace velloran {

cText::cText()
    : ForeColorIndex(detail::moduleValues().blackColorIndex), BackColorIndex(detail::moduleValues().whiteColorIndex) {}

void cText::Underline(Boolean value) {
    underline_ = value;
    if (value == True) {
        UnderlineWords(False);
        UnderlineDot(False);
        UnderlineDouble(False);
    }
}

void cText::UnderlineDot(Boolean value) {
    underlineDot_ = value;
    if (value == True) {
        Underline(False);
        UnderlineDouble(False);
    }
}

void cText::UnderlineDouble(Boolean value) {
    underlineDouble_ = value;
    if (value == True) {
        Underline(False);
        UnderlineDot(False);
    }
}

void cText::UnderlineWords(Boolean value) {
    underlineWords_ = value;
    if (value == True) Underline(False);
}

namespace {

// Control words that raw RTF may not hold: "\\bin" (its bytes are data,
// braces among them), the tables and destinations of the document's header,
// and the words of a table's and a section's structure, which would change
// what stands around the run.
constexpr std::string_view RefusedWords[] = {
    "bin",      "rtf",     "fonttbl",        "colortbl", "stylesheet", "listtable", "listoverridetable",
    "info",     "header",  "headerl",        "headerr",  "headerf",    "footer",    "footerl",
    "footerr",  "footerf", "sect",           "sectd",    "trowd",      "row",       "cell",
    "nestcell", "nestrow", "nesttableprops", "intbl",    "itap"};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Raw RTF that cannot reach past its own group: printable ASCII, every
// brace closing one it opened and every one it opened closed, each \'
// followed by its two hexadecimal digits, no backslash left at the end to
// escape the brace that closes the run, and none of the refused words.
bool keepsToItsGroup(std::string_view rtf) {
    long depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c < 0x20 || c > 0x7e) return false;
        if (c == '{') ++depth;
        if (c == '}' && --depth < 0) return false;
        if (c != '\\') continue;
        if (++i == rtf.size() || rtf[i] < 0x20 || rtf[i] > 0x7e) return false;
        if (rtf[i] == '\'') {
            if (i + 2 >= rtf.size() || !isHexDigit(rtf[i + 1]) || !isHexDigit(rtf[i + 2])) return false;
            i += 2;
        } else if (isLetter(rtf[i])) {
            std::size_t end = i;
            while (end < rtf.size() && isLetter(rtf[end])) ++end;
            const std::string_view word = rtf.substr(i, end - i);
            for (std::string_view refused : RefusedWords)
                if (word == refused) return false;
            i = end - 1;
        }
    }
    return depth == 0;
}

}  // namespace

void cText::RawRtf(const std::string& rtf) {
    if (!keepsToItsGroup(rtf)) throw Error(errors::InvalidArgument);
    rawRtf_ = rtf;
}

void cText::Text(const std::string& text) {
    std::string escaped;
    detail::appendEscapedRunText(escaped, text);
    escapedText_.swap(escaped);
}

}  // namespace velloran
