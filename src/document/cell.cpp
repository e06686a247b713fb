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
    contentRtf_.appendShared(detail::Access::takeRtf(*Paragraph));
    // As on a page, the reset ends the paragraph's formatting; "\\intbl"
    // keeps what follows inside the table.
    contentRtf_.append("\\pard\\intbl");
    return True;
}

}  // namespace velloran
