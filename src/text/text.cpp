#include <velloran/text.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/module_values.hpp"
#include "common/numtext.hpp"
#include "text/strings.hpp"

namespace velloran {

cText::cText()
    : ForeColorIndex(detail::moduleValues().blackColorIndex),
      BackColorIndex(detail::moduleValues().whiteColorIndex) {}

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

void appendTextRun(std::string& out, const cText* run) {
    if (!run) return;
    const std::string& text = Access::escapedText(*run);
    if (text.empty()) return;
    // The only step that can fail comes first, so a failure appends nothing.
    std::int32_t halfPoints = mul(run->Height, 2);
    const auto& module = moduleValues();
    out += '{';
    if (run->Bold == True) out += "\\b";
    if (run->Italic == True) out += "\\i";
    if (run->UnderlineDot() == True) out += "\\uld";
    if (run->UnderlineDouble() == True) out += "\\uldb";
    if (run->UnderlineWords() == True && run->Underline() == False) out += "\\ulw";
    if (run->Underline() == True) out += "\\ul";
    if (run->Strike == True) out += "\\strike";
    appendWord(out, "\\f", run->FontIndex);
    if (run->BackColorIndex != module.whiteColorIndex) {
        appendWord(out, "\\chcfpat0\\chcbpat", run->BackColorIndex);
        appendWord(out, "\\cb", run->BackColorIndex);
    }
    if (run->ForeColorIndex != module.blackColorIndex) appendWord(out, "\\cf", run->ForeColorIndex);
    if (run->Height != 0) appendWord(out, "\\fs", halfPoints);
    out += ' ';
    out += text;
    out += '}';
}

}  // namespace detail
}  // namespace velloran
