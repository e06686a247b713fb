#include <velloran/cell.hpp>

#include <velloran/border.hpp>

#include "common/access.hpp"
#include "common/refs.hpp"
#include "common/module_values.hpp"
#include "rtf/paragraph.hpp"

namespace velloran {

struct cCell::State {
    // The paragraphs, each but the last ended for the next; the last one's
    // end (its mark, if it has one, and the reset) is written when another
    // follows, for "\\cell" ends the last one itself.
    detail::Chunks content;
    bool ended = false;   // a paragraph waits for its end
    bool marked = false;  // and has a mark
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

const detail::Chunks& Access::paragraphs(const cCell& cell) { return cell.state().content; }

std::string Access::content(const cCell& cell) {
    const cCell::State& s = cell.state();
    detail::Chunks whole(s.content);
    if (s.ended) rtf::appendCellParagraphEnd(whole, s.marked);
    return detail::resolved(whole.str());
}

Boolean cCell::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    Access::Taken taken = Access::prepareTake(*Paragraph);
    const rtf::ParagraphText paragraph = taken.text();
    State& s = state();
    s.content.writeWhole([&] {
        // Most cells hold one paragraph, and a large table holds many cells
        // at once: a first paragraph is held without the slack of growth.
        if (s.ended) rtf::appendCellParagraphEnd(s.content, s.marked);
        else s.content.reserveEmpty(rtf::cellParagraphSize(paragraph));
        rtf::appendCellParagraph(s.content, paragraph);
    });
    s.ended = true;
    s.marked = paragraph.marked;
    taken.commit();
    return True;
}

}  // namespace velloran
