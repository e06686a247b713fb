#include <velloran/cell.hpp>

#include <velloran/border.hpp>

#include "common/access.hpp"
#include "common/module_values.hpp"

namespace velloran {

struct cCell::State {
    detail::Chunks content;
    detail::ListSet lists;
};

cCell::cCell()
    : Border(std::make_shared<cBorder>()),
      BackColorIndex(detail::moduleValues().whiteColorIndex),
      state_(std::make_unique<State>()) {
    Border->LeftVisible = True;
    Border->RightVisible = True;
    Border->TopVisible = True;
    Border->BottomVisible = True;
}
cCell::cCell(const cCell& other)
    : Border(other.Border),
      BackColorIndex(other.BackColorIndex),
      Width(other.Width),
      ColumnSpan(other.ColumnSpan),
      RowSpan(other.RowSpan),
      state_(std::make_unique<State>(other.state())) {}
cCell& cCell::operator=(const cCell& other) {
    if (this != &other) *this = cCell(other);
    return *this;
}
cCell::cCell(cCell&& other) noexcept = default;
cCell& cCell::operator=(cCell&& other) noexcept = default;
cCell::~cCell() = default;

cCell::State& cCell::state() { return detail::stateOf(state_); }
const cCell::State& cCell::state() const { return detail::stateOf(state_); }

detail::Chunks& Access::chunks(cCell& cell) { return cell.state().content; }
const detail::Chunks& Access::chunks(const cCell& cell) { return cell.state().content; }
const detail::ListSet& Access::lists(const cCell& cell) { return cell.state().lists; }

Boolean cCell::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    // As on a page, the reset ends the paragraph's formatting; "\\intbl"
    // keeps what follows inside the table. The paragraph's own reset at its
    // opening would take its text out of the table again, so the cell
    // repeats "\\intbl" after it: readers that follow the reset (pandoc,
    // unrtf) otherwise end the table at every cell, and pandoc nests the
    // table so far in each one. Most cells hold one paragraph, and a large
    // table holds many cells at once.
    static constexpr std::string_view Opening = "{\\pard\\plain", InTable = "\\intbl", Reset = "\\pard\\intbl";
    Access::Taken taken = Access::prepareTake(*Paragraph);
    const detail::Chunks& paragraph = taken.text();
    const std::size_t opening = paragraph.startsWith(Opening) ? Opening.size() : 0;
    detail::Chunks& content = state().content;
    detail::ListSet lists = state().lists.with(taken.lists());
    content.writeWhole([&] {
        content.reserveEmpty(paragraph.size() + InTable.size() + Reset.size());
        if (opening) {
            content.append(Opening);
            content.append(InTable);
        }
        content.appendShared(paragraph, 0, opening);
        content.append(Reset);
    });
    state().lists.take(lists);
    taken.commit();
    return True;
}

}  // namespace velloran
