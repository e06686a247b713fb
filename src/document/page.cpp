#include <velloran/page.hpp>

#include <velloran/cell.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/records.hpp"
#include "rtf/table.hpp"

#include <string>
#include <vector>

namespace velloran {

struct cPage::State {
    // The paragraphs and tables, as records, and what they hold that the
    // writer gathers.
    detail::Chunks records;
    std::uint8_t holds = 0;
    // The columns of the tables InsertRows makes.
    std::vector<rtf::Column> columns;
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

const detail::Chunks& Access::records(const cPage& page) { return page.state().records; }
std::uint8_t Access::holds(const cPage& page) { return page.state().holds; }

void rtf::appendPlaced(detail::Chunks& out, const rtf::ParagraphText& paragraph) {
    detail::Record placed(detail::Tag::Placed);
    placed.flag(paragraph.opened).flag(paragraph.marked);
    const std::string_view header = placed.view();
    // Most paragraphs are short: written in one step.
    const char end = static_cast<char>(detail::Tag::End);
    if (auto text = paragraph.content.small()) {
        out.append({header, *text, std::string_view(&end, 1)});
        return;
    }
    out.append(header);
    out.appendShared(paragraph.content);
    out.append(end);
}

Boolean cPage::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    rtf::Taken taken = Access::take(*Paragraph);
    State& s = state();
    const rtf::ParagraphText text = taken.text();
    s.records.writeWhole([&] { rtf::appendPlaced(s.records, text); });
    s.holds |= text.holds;
    Access::keep(*Paragraph, std::move(taken));
    return True;
}

Boolean cPage::InsertTable(const CellArray& oCells) {
    if (oCells.dimensions() != 2) throw Error(errors::SubscriptOutOfRange);
    std::int16_t columns = detail::narrow16(oCells.ubound(1));
    std::int16_t rows = detail::narrow16(oCells.ubound(2));
    // Rows without columns would be rows without cells; no rows (an upper
    // bound below 0) write the table's closing line alone.
    if (columns <= 0 || rows == 0) return False;
    // A failing cell cuts the rows written so far off again.
    State& s = state();
    std::uint8_t holds = 0;
    s.records.writeWhole([&] { holds = rtf::appendTable(s.records, oCells, columns, rows, *this); });
    s.holds |= holds;
    return True;
}

Boolean cPage::InsertRows(const TableRows& Values) {
    if (Values.empty() || Values.front().empty()) return False;
    State& s = state();
    s.records.writeWhole([&] { rtf::appendRows(s.records, Values, s.columns, *this); });
    return True;
}

Boolean cPage::AddTableColumn(std::int32_t Width, vlRTFTabAlignment Align, std::int32_t Decimals) {
    if (Decimals > 15)
        throw Error(errors::InvalidArgument, "cPage.AddTableColumn: Decimals = " + std::to_string(Decimals));
    state().columns.push_back({Width, Align, Decimals});
    return True;
}

Boolean cPage::ClearTableColumns() {
    state().columns.clear();
    return True;
}

}  // namespace velloran
