// cCell: one table cell with width, shading, borders and paragraphs.
#pragma once

#include <cstdint>
#include <memory>

#include <velloran/fwd.hpp>
#include <velloran/own_state.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cCell {
public:
    // The border starts with all four sides visible; the shading starts as
    // the thread's WhiteColorIndex, which writes no shading.
    VELLORAN_API cCell();
    // Copies are independent objects with the same content.
    VELLORAN_API cCell(const cCell& other);
    VELLORAN_API cCell& operator=(const cCell& other);
    VELLORAN_API cCell(cCell&& other) noexcept;
    VELLORAN_API cCell& operator=(cCell&& other) noexcept;
    VELLORAN_API ~cCell();

    std::shared_ptr<cBorder> Border;
    std::int32_t BackColorIndex;
    std::int32_t Width = 720;  // twips
    // Above 0: the cell's width as this share, in percent, of its page's
    // TableWidth, in place of Width. Error 5 at InsertTable for a share
    // above 100 or below 0 (or not a number).
    float WidthPercent = 0.0f;
    // The columns and rows the cell covers, from its own place to the right
    // and down, merged into one cell; values below 1 count as 1, and a span
    // stops at the table's edge and at a cell another span covers. The cell
    // is as wide as its Width; the cells it covers are not read (they may
    // be null).
    std::int32_t ColumnSpan = 1;
    std::int32_t RowSpan = 1;

    // Where the text stands between the cell's top and bottom (\clvertalc,
    // \clvertalb); vaTop, or a value outside the enumeration, at the top.
    vlRTFVerticalAlignment VerticalAlignment = vaTop;
    // Twips between each side and the text; 0 or less writes none.
    std::int32_t PaddingLeft = 0;
    std::int32_t PaddingTop = 0;
    std::int32_t PaddingRight = 0;
    std::int32_t PaddingBottom = 0;

    // Append the paragraph's fragment; False for a null paragraph.
    VELLORAN_API Boolean InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph);

private:
    friend struct Access;

    // The text taken from inserted children, which only the library reads.
    struct State;
    OwnState<State> state_;
    // A moved-from object has no state: reading it reads an empty one, and
    // changing it gives it a new one.
    State& state();
    const State& state() const;
};

}  // namespace velloran
