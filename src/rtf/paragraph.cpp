#include "rtf/paragraph.hpp"

#include <algorithm>

#include "common/access.hpp"
#include "rtf/border.hpp"
#include "common/checked.hpp"
#include "common/numtext.hpp"
#include "common/refs.hpp"
#include "rtf/walk.hpp"

namespace velloran::rtf {

const char* alignmentWord(vlRTFAlignment align) noexcept {
    switch (align) {
    case aLeft: return "\\ql";
    case aRight: return "\\qr";
    case aCenter: return "\\qc";
    case aJustified: return "\\qj";
    default: return nullptr;
    }
}

namespace {

void appendListItem(std::string& out, std::int32_t list, std::int32_t level) {
    detail::appendRef(out, "\\ls", detail::Ref::List, list);
    detail::appendWord(out, "\\ilvl", std::clamp(level, 0, 8));
}

// Each stop's kind and leader come before its position, which ends it; a
// left stop and no leader are the words left out.
void appendTabStops(std::string& out, const cParagraph& p) {
    for (const auto& stop : Access::tabStops(p)) {
        switch (stop.alignment) {
        case tCenter: out += "\\tqc"; break;
        case tRight: out += "\\tqr"; break;
        case tDecimal: out += "\\tqdec"; break;
        default: break;
        }
        switch (stop.leader) {
        case tlDots: out += "\\tldot"; break;
        case tlHyphens: out += "\\tlhyph"; break;
        case tlUnderline: out += "\\tlul"; break;
        default: break;
        }
        detail::appendWord(out, "\\tx", stop.position);
    }
}

}  // namespace

// A list item names its list at its start too: pandoc and AbiWord take a
// paragraph's list from there, Word from its mark.
void appendParagraphStart(std::string& out, const cParagraph& p) {
    if (std::int32_t list = rtf::listNumber(p)) appendListItem(out, list, p.ListLevel);
}

void appendParagraphEnd(std::string& out, const cParagraph& p) {
    const std::int32_t list = rtf::listNumber(p);
    out += '}';
    auto length = [&](const char* word, std::int32_t value) {
        if (value != 0) detail::appendWord(out, word, value);
    };
    if (p.StyleIndex > 0) detail::appendRef(out, "\\s", detail::Ref::Style, p.StyleIndex);
    length("\\fi", p.IndentFirstLine);
    length("\\li", p.IndentLeft);
    length("\\ri", p.IndentRight);
    length("\\sb", p.SpaceBefore);
    length("\\sa", p.SpaceAfter);
    if (p.LineSpacingMultiple > 0) {
        detail::appendWord(out, "\\sl", detail::rounded(240.0 * static_cast<double>(p.LineSpacingMultiple)));
        out += "\\slmult1";
    } else {
        length("\\sl", p.SpaceBetweenLines);
    }
    appendTabStops(out, p);
    if (p.KeepWithNext == True) out += "\\keepn";
    if (p.KeepTogether == True) out += "\\keep";
    if (p.PageBreakBefore == True) out += "\\pagebb";
    if (p.WidowControl != True) out += "\\nowidctlpar";
    if (p.RightToLeft == True) out += "\\rtlpar";
    if (p.OutlineLevel >= 1 && p.OutlineLevel <= 9) detail::appendWord(out, "\\outlinelevel", p.OutlineLevel - 1);
    if (list != 0) appendListItem(out, list, p.ListLevel);
    rtf::appendBorder(out, p.Border.get());
    out += alignmentWord(p.Align);
}

void appendWrapped(std::string& out, const cParagraph& paragraph) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    const ParagraphText text = Access::text(paragraph);
    if (!alignmentWord(paragraph.Align)) {
        appendContent(out, text);
        return;
    }
    out += Opening;
    appendParagraphStart(out, paragraph);
    appendContent(out, text);
    appendParagraphEnd(out, paragraph);
    out += Mark;
}

}  // namespace velloran::rtf
