#include <velloran/cell.hpp>

#include <velloran/border.hpp>

#include "common/access.hpp"
#include "common/module_values.hpp"

namespace velloran {

cCell::cCell() : Border(std::make_shared<cBorder>()), BackColorIndex(detail::moduleValues().whiteColorIndex) {
    Border->LeftVisible = True;
    Border->RightVisible = True;
    Border->TopVisible = True;
    Border->BottomVisible = True;
}

Boolean cCell::InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph) {
    if (!Paragraph) return False;
    // As on a page, the reset ends the paragraph's formatting; "\\intbl"
    // keeps what follows inside the table. Most cells hold one paragraph,
    // and a large table holds many cells at once.
    static constexpr std::string_view Reset = "\\pard\\intbl";
    const detail::Chunks& paragraph = detail::Access::takeRtf(*Paragraph);
    contentRtf_.reserveEmpty(paragraph.size() + Reset.size());
    contentRtf_.appendShared(paragraph);
    contentRtf_.append(Reset);
    return True;
}

}  // namespace velloran
