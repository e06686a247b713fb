#include <velloran/text.hpp>

#include <string_view>
#include <vector>

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
// braces among them), the tables and destinations of the document's header
// and its information, the words of a table's and a section's structure,
// pictures (a picture whose data a reader cannot decode makes LibreOffice
// refuse the whole file) and drawing objects, which would change what
// stands around the run or end the document early in a reader.
constexpr std::string_view RefusedWords[] = {"bin",
                                             "rtf",
                                             "fonttbl",
                                             "colortbl",
                                             "stylesheet",
                                             "listtable",
                                             "listoverridetable",
                                             "info",
                                             "header",
                                             "headerl",
                                             "headerr",
                                             "headerf",
                                             "footer",
                                             "footerl",
                                             "footerr",
                                             "footerf",
                                             "sect",
                                             "sectd",
                                             "trowd",
                                             "row",
                                             "cell",
                                             "cellx",
                                             "nestcell",
                                             "nestrow",
                                             "nesttableprops",
                                             "intbl",
                                             "itap",
                                             "title",
                                             "subject",
                                             "author",
                                             "operator",
                                             "keywords",
                                             "comment",
                                             "doccomm",
                                             "manager",
                                             "company",
                                             "category",
                                             "creatim",
                                             "revtim",
                                             "printim",
                                             "buptim",
                                             "version",
                                             "vern",
                                             "edmins",
                                             "nofpages",
                                             "nofwords",
                                             "nofchars",
                                             "nofcharsws",
                                             "hlinkbase",
                                             "userprops",
                                             "pict",
                                             "shppict",
                                             "nonshppict",
                                             "wmetafile",
                                             "pmmetafile",
                                             "macpict",
                                             "dibitmap",
                                             "wbitmap",
                                             "do",
                                             "shp",
                                             "shpinst",
                                             "shprslt",
                                             "shptxt",
                                             "sp",
                                             "sn",
                                             "sv"};
// Families of them: a picture's formats, a drawing object's and a row's
// and a cell's properties.
constexpr std::string_view RefusedEndings[] = {"blip"};
constexpr std::string_view RefusedStarts[] = {"dp", "tr", "cl"};
// RTF's control words have at most 32 letters.
constexpr std::size_t LongestWord = 32;

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool refused(std::string_view word) {
    if (word.size() > LongestWord) return true;
    for (std::string_view w : RefusedWords)
        if (word == w) return true;
    for (std::string_view e : RefusedEndings)
        if (word.ends_with(e)) return true;
    for (std::string_view b : RefusedStarts)
        if (word.starts_with(b)) return true;
    return false;
}

// Raw RTF that cannot reach past its own group: printable ASCII, every
// brace closing one it opened and every one it opened closed, each \'
// followed by its two hexadecimal digits, no backslash left at the end to
// escape the brace that closes the run, none of the refused words, and a
// field's instruction and result only in a field's group of its own.
bool keepsToItsGroup(std::string_view rtf) {
    // The depths of the groups opened by "{\\field", innermost last.
    std::vector<long> fields;
    long depth = 0;
    bool opened = false;  // a group has just been opened
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c < 0x20 || c > 0x7e) return false;
        const bool justOpened = opened;
        opened = false;
        if (c == '{') {
            ++depth;
            opened = true;
        }
        if (c == '}') {
            if (!fields.empty() && fields.back() == depth) fields.pop_back();
            if (--depth < 0) return false;
        }
        if (c != '\\') continue;
        if (++i == rtf.size() || rtf[i] < 0x20 || rtf[i] > 0x7e) return false;
        if (rtf[i] == '\'') {
            if (i + 2 >= rtf.size() || !isHexDigit(rtf[i + 1]) || !isHexDigit(rtf[i + 2])) return false;
            i += 2;
        } else if (isLetter(rtf[i])) {
            std::size_t end = i;
            while (end < rtf.size() && isLetter(rtf[end])) ++end;
            const std::string_view word = rtf.substr(i, end - i);
            if (refused(word)) return false;
            if (word == "field" && justOpened) fields.push_back(depth);
            if ((word == "fldinst" || word == "fldrslt") && (fields.empty() || fields.back() != depth - 1))
                return false;
            i = end - 1;
        } else if (rtf[i] == '*') {
            opened = justOpened;  // "{\\*\\fldinst": the destination's word follows
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
    rtf::appendEscapedRunText(escaped, text);
    escapedText_.swap(escaped);
}

}  // namespace velloran
