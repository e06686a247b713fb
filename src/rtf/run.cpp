// A run of text: its format words, and the field, link, bookmark or raw
// RTF it may be, around its escaped text.
#include <velloran/text.hpp>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/module_values.hpp"
#include "common/numtext.hpp"
#include "common/refs.hpp"
#include "rtf/run.hpp"
#include "rtf/strings.hpp"

namespace velloran::rtf {

using detail::moduleValues;
using detail::mul;
using detail::Ref;
using detail::RefStart;
namespace {

// A link's address as the argument of a HYPERLINK field: in quotes, so a
// quote and control characters are written in percent form (as they would
// be in a URL); then escaped for RTF as an information string is. A
// backslash stays single: LibreOffice keeps a doubled one as two.
void appendLinkTarget(std::string& out, std::string_view target) {
    std::string argument;
    argument.reserve(target.size() + 8);
    for (char c : target) {
        auto u = static_cast<unsigned char>(c);
        if (c == '"' || u < 0x20 || u == 0x7f) {
            constexpr char digits[] = "0123456789ABCDEF";
            argument += '%';
            argument += digits[u >> 4];
            argument += digits[u & 15];
        } else {
            argument += c;
        }
    }
    appendEscapedInfo(out, argument);
}

// The words of a HYPERLINK field's instruction after its name: the address
// in quotes, then the bookmark as the location within it.
void appendLinkArguments(std::string& out, const cText& run) {
    if (!run.Link.empty()) {
        out += '"';
        appendLinkTarget(out, run.Link);
        out += '"';
    }
    if (!run.LinkToBookmark.empty()) {
        if (!run.Link.empty()) out += ' ';
        out += "\\\\l \"";
        appendLinkTarget(out, run.LinkToBookmark);
        out += '"';
    }
}

// A bookmark's name as a link to it writes it, so the two always match.
void appendBookmark(std::string& out, const char* word, const std::string& name) {
    out += word;
    appendLinkTarget(out, name);
    out += '}';
}

const char* fieldCode(vlRTFField field) {
    switch (field) {
    case fPageNumber: return "PAGE";
    case fPageCount: return "NUMPAGES";
    case fDate: return "DATE";
    default: return nullptr;
    }
}

// A run's format words, gathered on the stack and appended at once (twice
// for a field's run): a run writes up to twenty-one short words, which would
// otherwise be as many appends. They take at most 211 characters, and the
// brace and space around them two more.
class FormatWords {
public:
    void add(std::string_view word) { at_ = std::copy(word.begin(), word.end(), at_); }
    void add(std::string_view word, std::int64_t value) {
        add(word);
        at_ = std::to_chars(at_, std::end(buffer_), value).ptr;
    }
    void add(std::string_view word, Ref kind, std::int64_t index) {
        add(word);
        *at_++ = RefStart;
        *at_++ = static_cast<char>(kind);
        at_ = std::to_chars(at_, std::end(buffer_), index).ptr;
    }
    std::string_view text() const { return {buffer_, static_cast<std::size_t>(at_ - buffer_)}; }

private:
    char buffer_[256];
    char* at_ = buffer_;
};

// The run's format words; halfPoints is its size as "\\fs" takes it.
void addRunFormat(FormatWords& out, const cText& run, std::int32_t halfPoints) {
    const auto& module = moduleValues();
    if (run.Bold == True) out.add("\\b");
    if (run.Italic == True) out.add("\\i");
    if (run.UnderlineDot() == True) out.add("\\uld");
    if (run.UnderlineDouble() == True) out.add("\\uldb");
    if (run.UnderlineWords() == True && run.Underline() == False) out.add("\\ulw");
    if (run.Underline() == True) out.add("\\ul");
    if (run.Strike == True) out.add("\\strike");
    if (run.SmallCaps == True) out.add("\\scaps");
    if (run.AllCaps == True) out.add("\\caps");
    if (run.Hidden == True) out.add("\\v");
    if (run.RightToLeft == True) out.add("\\rtlch");
    out.add("\\f", Ref::Font, run.FontIndex);
    if (run.EastAsianFontIndex >= 0) {
        out.add("\\dbch\\af", Ref::Font, run.EastAsianFontIndex);
        out.add("\\loch");
    }
    if (run.BackColorIndex != module.whiteColorIndex) {
        out.add("\\chcfpat0\\chcbpat", Ref::Color, run.BackColorIndex);
        out.add("\\cb", Ref::Color, run.BackColorIndex);
    }
    if (run.ForeColorIndex != module.blackColorIndex) out.add("\\cf", Ref::Color, run.ForeColorIndex);
    if (run.Height != 0) out.add("\\fs", halfPoints);
    if (run.HighlightColorIndex != 0) out.add("\\highlight", Ref::Color, run.HighlightColorIndex);
    if (run.VerticalPosition == vSuperscript) out.add("\\super");
    if (run.VerticalPosition == vSubscript) out.add("\\sub");
    if (run.CharacterSpacing != 0) out.add("\\expndtw", run.CharacterSpacing);
}

// The start of the link's, field's or table of contents' group; its
// instruction, and its result opened.
void appendFieldStart(std::string& out, const cText& run, bool link, const char* field, bool contents) {
    if (link) {
        out += "{\\field{\\*\\fldinst {HYPERLINK ";
        appendLinkArguments(out, run);
        out += "}}{\\fldrslt ";
    }
    if (field) {
        out += "{\\field{\\*\\fldinst {";
        out += field;
        out += " }}{\\fldrslt ";
    }
    // Headings of the levels asked for, each entry a link to its heading,
    // without tab leaders or page numbers in web views.
    if (contents) {
        out += "{\\field{\\*\\fldinst {TOC \\\\o \"1-";
        out += static_cast<char>('0' + run.ContentsLevels);
        out += "\" \\\\h \\\\z \\\\u }}{\\fldrslt ";
    }
}

}  // namespace

RunPlaces appendTextRun(std::string& out, const cText* run) {
    RunPlaces places;
    if (!run) return places;
    const std::string& text = Access::escapedText(*run);
    // A table of contents stands in place of any other field; a field
    // shows even without text, and raw RTF is content as text is; other
    // runs need some.
    const bool contents = run->ContentsLevels >= 1 && run->ContentsLevels <= 9;
    const char* field = contents ? nullptr : fieldCode(run->Field);
    if (text.empty() && !field && !contents && run->RawRtf().empty()) return places;
    // The only step that can fail comes first, so a failure appends nothing.
    std::int32_t halfPoints = mul(run->Height, 2);
    // A field, or a link, stands in a group of the run's format as well:
    // LibreOffice gives a computed value the format around the field, not
    // its result's. The instruction is in a group of its own, as Word
    // writes it: pandoc takes a link only so.
    const bool link = !contents && (!run->Link.empty() || !run->LinkToBookmark.empty());
    const bool grouped = link || field || contents;
    // The run's group opened with its format, then the space before its text.
    FormatWords opening;
    opening.add("{");
    addRunFormat(opening, *run, halfPoints);
    const std::size_t start = out.size();
    if (!run->Bookmark.empty()) {
        appendBookmark(out, "{\\*\\bkmkstart ", run->Bookmark);
        places.bookmark = {std::string_view("{\\*\\bkmkstart ").size(), out.size() - start - 1};
    }
    if (grouped) out += opening.text();
    appendFieldStart(out, *run, link, field, contents);
    if (contents) places.result.first = out.size() - start;
    opening.add(" ");
    out += opening.text();
    places.text.first = out.size() - start;
    out += text;
    places.text.second = out.size() - start;
    // In a group of its own, at RTF's own \\uc1: a \\uN in it takes one
    // fallback character whatever the text before it said.
    if (!run->RawRtf().empty()) {
        out += "{\\uc1 ";
        out += run->RawRtf();
        out += '}';
    }
    out += '}';
    if (contents) places.result.second = out.size() - start;
    if (field || contents) out += "}}";
    if (link) out += "}}";
    if (grouped) out += '}';
    if (!run->Bookmark.empty()) appendBookmark(out, "{\\*\\bkmkend ", run->Bookmark);
    places.size = out.size() - start;
    places.contents = contents ? run->ContentsLevels : 0;
    return places;
}

}  // namespace velloran::rtf
