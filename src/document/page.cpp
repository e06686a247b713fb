#include <velloran/page.hpp>

#include <velloran/border.hpp>
#include <velloran/cell.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/module_values.hpp"
#include "common/numtext.hpp"

namespace velloran {

struct cPage::State {
    detail::Chunks content{"{"};
};

cPage::cPage() : state_(std::make_unique<State>()) {}
cPage::cPage(const cPage& other) : state_(std::make_unique<State>(other.state())) {}
cPage& cPage::operator=(const cPage& other) {
    if (this != &other) *this = cPage(other);
    return *this;
}
cPage::cPage(cPage&& other) noexcept = default;
cPage& cPage::operator=(cPage&& other) noexcept = default;
cPage::~cPage() = default;

cPage::State& cPage::state() { return detail::stateOf(state_); }
const cPage::State& cPage::state() const { return detail::stateOf(state_); }

detail::Chunks& Access::chunks(cPage& page) { return page.state().content; }
const detail::Chunks& Access::chunks(const cPage& page) { return page.state().content; }

Boolean cPage::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    state().content.appendShared(Access::takeRtf(*Paragraph));
    // A paragraph writes its indents, spacing and alignment after its group,
    // at the page's level: the reset keeps them from reaching the next one.
    state().content.append("\\pard");
    return True;
}

void detail::appendRtf(const cPage& page, std::string& out) {
    Access::chunks(page).appendTo(out);
    out += "}\\page ";
}

void detail::appendRtf(const cPage& page, Chunks& out) {
    out.appendShared(Access::chunks(page));
    out.append("}\\page ");
}

namespace {

const cCell& cellAt(const CellArray& cells, std::int32_t column, std::int32_t row) {
    const auto& cell = cells.at({column, row});
    if (!cell) throw Error(errors::ObjectNotSet);
    return *cell;
}

// One side of a cell: cells always use the single-line style.
void appendCellSide(std::string& out, const char* prefix, Boolean visible, std::int32_t width) {
    out += prefix;
    if (visible == True) {
        detail::appendWord(out, "\\brdrs\\brdrw", detail::narrow16(width));
        out += ' ';
    } else {
        out += "\\brdrnone";
    }
}

// How much of a cell's text the table leaves out: the cell ends each
// paragraph with its mark and a reset, and the last paragraph is ended by
// the cell itself instead, with its formatting words before "\cell"; a
// "\par" there would end one more, empty paragraph in every cell.
std::size_t cellEnding(const detail::Chunks& content) {
    constexpr std::string_view MarkAndReset = "\\par \\pard\\intbl", Reset = "\\pard\\intbl";
    if (content.endsWith(MarkAndReset)) return MarkAndReset.size();
    return content.endsWith(Reset) ? Reset.size() : 0;
}

// The table as RTF rows, each line ended by CR LF.
void appendTableRows(detail::Chunks& text, const CellArray& cells, std::int16_t columns, std::int16_t rows) {
    const std::int32_t white = detail::moduleValues().whiteColorIndex;
    // A line of cell definitions is a little over a hundred characters.
    constexpr std::size_t Line = 160;
    for (std::int32_t r = 1; r <= rows; ++r) {
        text.append("\\trowd\\trgaph0\\trrh0\\trleft0\r\n");
        std::int32_t edge = 0;
        for (std::int32_t c = 1; c <= columns; ++c) {
            std::string& out = text.tail(Line);
            const cCell& cell = cellAt(cells, c, r);
            const cBorder* border = cell.Border.get();
            if (!border) throw Error(errors::ObjectNotSet);
            appendCellSide(out, "\\clbrdrt", border->TopVisible, border->TopWidth);
            appendCellSide(out, "\\clbrdrb", border->BottomVisible, border->BottomWidth);
            appendCellSide(out, "\\clbrdrl", border->LeftVisible, border->LeftWidth);
            appendCellSide(out, "\\clbrdrr", border->RightVisible, border->RightWidth);
            if (cell.BackColorIndex != white)
                detail::appendWord(out, "\\clcbpat", detail::narrow16(cell.BackColorIndex));
            edge = detail::add(edge, cell.Width);
            detail::appendWord(out, "\\cellx", edge);
            out += "\r\n";
        }
        for (std::int32_t c = 1; c <= columns; ++c) {
            const detail::Chunks& content = Access::chunks(cellAt(cells, c, r));
            text.append("\\pard\\plain\\intbl");
            text.appendShared(content, cellEnding(content));
            text.append(c == columns ? "\\cell\\row\r\n" : "\\cell\r\n");
        }
    }
    text.append("\\pard\r\n");
}

}  // namespace

Boolean cPage::InsertTable(const CellArray& oCells) {
    if (oCells.dimensions() != 2) throw Error(errors::SubscriptOutOfRange);
    std::int16_t columns = detail::narrow16(oCells.ubound(1));
    std::int16_t rows = detail::narrow16(oCells.ubound(2));
    if (columns == 0 || rows == 0) return False;
    // A failing cell cuts the rows written so far off again.
    auto mark = state().content.mark();
    try {
        appendTableRows(state().content, oCells, columns, rows);
    } catch (...) {
        state().content.rollback(mark);
        throw;
    }
    return True;
}

}  // namespace velloran
