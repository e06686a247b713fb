#include <velloran/page.hpp>

#include <velloran/cell.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "rtf/paragraph.hpp"
#include "rtf/section.hpp"
#include "rtf/table.hpp"

namespace velloran {

struct cPage::State {
    detail::Chunks content{std::string(rtf::PageOpening)};
    detail::ListSet lists;
};

cPage::cPage() : state_(std::make_unique<State>()) {}
cPage::cPage(const cPage&) = default;
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
const detail::ListSet& Access::lists(const cPage& page) { return page.state().lists; }

Boolean cPage::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    Access::Taken taken = Access::prepareTake(*Paragraph);
    detail::ListSet lists = state().lists.with(taken.lists());
    detail::Chunks& content = state().content;
    content.writeWhole([&] { rtf::appendPageParagraph(content, taken.text()); });
    state().lists.take(lists);
    taken.commit();
    return True;
}

Boolean cPage::InsertTable(const CellArray& oCells) {
    if (oCells.dimensions() != 2) throw Error(errors::SubscriptOutOfRange);
    std::int16_t columns = detail::narrow16(oCells.ubound(1));
    std::int16_t rows = detail::narrow16(oCells.ubound(2));
    if (columns == 0 || rows == 0) return False;
    // A failing cell cuts the rows written so far off again.
    detail::ListSet lists;
    detail::Chunks& content = state().content;
    content.writeWhole([&] {
        detail::ListSet cells;
        rtf::appendTableRows(content, oCells, columns, rows, *this, cells);
        lists = state().lists.with(cells);
    });
    state().lists.take(lists);
    return True;
}

}  // namespace velloran
