#include "rtf/paragraph.hpp"

#include <algorithm>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/numtext.hpp"
#include "common/refs.hpp"

namespace velloran::rtf {

namespace {

// Readers that follow a paragraph's reset (pandoc, unrtf) take a cell's
// paragraph out of the table unless "\intbl" stands right after it: they
// end the table at every cell, and pandoc nests the table so far in each.
constexpr std::string_view InTable = "\\intbl";
constexpr std::string_view CellReset = "\\pard\\intbl";

// The paragraph without its mark, opened in the table or not.
void appendUnmarked(detail::Chunks& out, const ParagraphText& paragraph, bool inTable) {
    if (paragraph.opened) {
        out.append(Opening);
        if (inTable) out.append(InTable);
    }
    out.appendShared(paragraph.content);
}

}  // namespace

void appendParagraph(std::string& out, const ParagraphText& paragraph) {
    if (paragraph.opened) out += Opening;
    paragraph.content.appendTo(out);
    if (paragraph.marked) out += Mark;
}

void appendPageParagraph(detail::Chunks& out, const ParagraphText& paragraph) {
    const std::string_view opening = paragraph.opened ? Opening : std::string_view();
    const std::string_view end = paragraph.marked ? "\\par \\pard" : "\\pard";
    // Most paragraphs are short: written in one step.
    if (auto text = paragraph.content.small()) {
        out.append({opening, *text, end});
        return;
    }
    out.append(opening);
    out.appendShared(paragraph.content);
    out.append(end);
}

void appendCellParagraphEnd(detail::Chunks& out, bool marked) {
    if (marked) out.append(Mark);
    out.append(CellReset);
}

void appendCellParagraph(detail::Chunks& out, const ParagraphText& paragraph) { appendUnmarked(out, paragraph, true); }

std::size_t cellParagraphSize(const ParagraphText& paragraph) noexcept {
    return paragraph.content.size() + (paragraph.opened ? Opening.size() + InTable.size() : 0);
}

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
    if (std::int32_t list = detail::listNumber(p)) appendListItem(out, list, p.ListLevel);
}

void appendParagraphEnd(std::string& out, const cParagraph& p) {
    const std::int32_t list = detail::listNumber(p);
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
    if (p.OutlineLevel >= 1 && p.OutlineLevel <= 9) detail::appendWord(out, "\\outlinelevel", p.OutlineLevel - 1);
    if (list != 0) appendListItem(out, list, p.ListLevel);
    detail::appendBorder(out, p.Border.get());
    out += alignmentWord(p.Align);
}

void appendFootnote(detail::Chunks& out, const ParagraphText& note) {
    out.append("{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} ");
    appendUnmarked(out, note, false);
    out.append('}');
}

void appendWrapStart(std::string& out, const cParagraph& paragraph, bool opened) {
    appendParagraphStart(out, paragraph);
    if (opened) out += Opening;
}

void appendWrapEnd(std::string& out, const cParagraph& paragraph, bool marked) {
    if (marked) out += Mark;
    appendParagraphEnd(out, paragraph);
}

void appendWrapped(std::string& out, const cParagraph& paragraph, const ParagraphText& text) {
    out += Opening;
    appendParagraphStart(out, paragraph);
    appendParagraph(out, text);
    appendParagraphEnd(out, paragraph);
    out += Mark;
}

}  // namespace velloran::rtf
