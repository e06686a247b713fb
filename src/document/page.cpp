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

Boolean cPage::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    Access::Taken taken = Access::prepareTake(*Paragraph);
    detail::Chunks& content = state().content;
    content.writeWhole([&] { rtf::appendPageParagraph(content, taken.text()); });
    taken.commit();
    return True;
}

Boolean cPage::InsertTable(const CellArray& oCells) {
    if (oCells.dimensions() != 2) throw Error(errors::SubscriptOutOfRange);
    std::int16_t columns = detail::narrow16(oCells.ubound(1));
    std::int16_t rows = detail::narrow16(oCells.ubound(2));
    if (columns == 0 || rows == 0) return False;
    // A failing cell cuts the rows written so far off again.
    detail::Chunks& content = state().content;
    content.writeWhole([&] { rtf::appendTableRows(content, oCells, columns, rows, *this); });
    return True;
}

}  // namespace velloran
