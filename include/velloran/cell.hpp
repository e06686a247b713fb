// cCell: one table cell with width, shading, borders and paragraphs.
#pragma once

#include <memory>
#include <string>

#include <velloran/chunks.hpp>
#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cCell {
public:
    // The border starts with all four sides visible; the shading starts as
    // the thread's WhiteColorIndex, which writes no shading.
    cCell();

    std::shared_ptr<cBorder> Border;
    std::int32_t BackColorIndex;
    std::int32_t Width = 720;  // twips

    // Append the paragraph's fragment; False for a null paragraph.
    Boolean InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph);

private:
    friend struct detail::Access;

    detail::Chunks contentRtf_;
};

}  // namespace velloran
