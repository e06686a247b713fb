#include <velloran/cell.hpp>

#include <velloran/border.hpp>

#include "common/access.hpp"
#include "common/refs.hpp"
#include "common/module_values.hpp"
#include "rtf/paragraph.hpp"
#include "rtf/walk.hpp"

namespace velloran {

struct cCell::State {
    // The paragraphs, as records, and what they hold that the writer gathers.
    detail::Chunks records;
    std::uint8_t holds = 0;
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
cCell::cCell(const cCell&) = default;
cCell& cCell::operator=(const cCell& other) {
    if (this != &other) *this = cCell(other);
    return *this;
}
cCell::cCell(cCell&& other) noexcept = default;
cCell& cCell::operator=(cCell&& other) noexcept = default;
cCell::~cCell() = default;

cCell::State& cCell::state() { return detail::stateOf(state_); }
const cCell::State& cCell::state() const { return detail::stateOf(state_); }

const detail::Chunks& Access::records(const cCell& cell) { return cell.state().records; }
std::uint8_t Access::holds(const cCell& cell) { return cell.state().holds; }

std::string Access::content(const cCell& cell) {
    std::string out;
    rtf::appendCellContent(out, cell.state().records, true);
    return detail::resolved(out);
}

Boolean cCell::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    rtf::Taken taken = Access::take(*Paragraph);
    const rtf::ParagraphText paragraph = taken.text();
    State& s = state();
    s.records.writeWhole([&] {
        // Most cells hold one paragraph, and a large table holds many cells
        // at once: a first paragraph is held without the slack of growth.
        s.records.reserveEmpty(paragraph.content.size() + 4);
        rtf::appendPlaced(s.records, paragraph);
    });
    s.holds |= paragraph.holds;
    Access::keep(*Paragraph, std::move(taken));
    return True;
}

}  // namespace velloran
