#include <velloran/text.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/module_values.hpp"
#include "common/numtext.hpp"
#include "text/strings.hpp"

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

void cText::Text(const std::string& text) {
    std::string escaped;
    detail::appendEscapedRunText(escaped, text);
    escapedText_.swap(escaped);
}

namespace detail {
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

const char* fieldCode(vlRTFField field) {
    switch (field) {
    case fPageNumber: return "PAGE";
    case fPageCount: return "NUMPAGES";
    case fDate: return "DATE";
    default: return nullptr;
    }
}

}  // namespace

void appendTextRun(std::string& out, const cText* run) {
    if (!run) return;
    const std::string& text = Access::escapedText(*run);
    // A field shows even without text; other runs need some.
    const char* field = fieldCode(run->Field);
    if (text.empty() && !field) return;
    // The only step that can fail comes first, so a failure appends nothing.
    std::int32_t halfPoints = mul(run->Height, 2);
    const auto& module = moduleValues();
    auto appendFormat = [&] {
        if (run->Bold == True) out += "\\b";
        if (run->Italic == True) out += "\\i";
        if (run->UnderlineDot() == True) out += "\\uld";
        if (run->UnderlineDouble() == True) out += "\\uldb";
        if (run->UnderlineWords() == True && run->Underline() == False) out += "\\ulw";
        if (run->Underline() == True) out += "\\ul";
        if (run->Strike == True) out += "\\strike";
        if (run->SmallCaps == True) out += "\\scaps";
        if (run->AllCaps == True) out += "\\caps";
        if (run->Hidden == True) out += "\\v";
        appendWord(out, "\\f", run->FontIndex);
        if (run->BackColorIndex != module.whiteColorIndex) {
            appendWord(out, "\\chcfpat0\\chcbpat", run->BackColorIndex);
            appendWord(out, "\\cb", run->BackColorIndex);
        }
        if (run->ForeColorIndex != module.blackColorIndex) appendWord(out, "\\cf", run->ForeColorIndex);
        if (run->Height != 0) appendWord(out, "\\fs", halfPoints);
        if (run->HighlightColorIndex != 0) appendWord(out, "\\highlight", run->HighlightColorIndex);
        if (run->VerticalPosition == vSuperscript) out += "\\super";
        if (run->VerticalPosition == vSubscript) out += "\\sub";
        if (run->CharacterSpacing != 0) appendWord(out, "\\expndtw", run->CharacterSpacing);
    };
    // A field, or a link, stands in a group of the run's format as well:
    // LibreOffice gives a computed value the format around the field, not
    // its result's. The instruction is in a group of its own, as Word
    // writes it: pandoc takes a link only so.
    const bool link = !run->Link.empty();
    if (link || field) {
        out += '{';
        appendFormat();
    }
    if (link) {
        out += "{\\field{\\*\\fldinst {HYPERLINK \"";
        appendLinkTarget(out, run->Link);
        out += "\"}}{\\fldrslt ";
    }
    if (field) {
        out += "{\\field{\\*\\fldinst {";
        out += field;
        out += " }}{\\fldrslt ";
    }
    out += '{';
    appendFormat();
    out += ' ';
    out += text;
    out += '}';
    if (field) out += "}}";
    if (link) out += "}}";
    if (link || field) out += '}';
}

}  // namespace detail
}  // namespace velloran
