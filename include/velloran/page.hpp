// cPage: the content of one page, ended by a page break.
#pragma once

#include <memory>
#include <string>

#include <velloran/chunks.hpp>
#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cPage {
public:
    cPage() = default;

    // Append the paragraph's fragment; False for a null paragraph.
    Boolean InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph);

    // Append a table built from a two-dimensional array of cells: dimension 1
    // is the columns, dimension 2 the rows, visited from index 1 to the upper
    // bound. False when an upper bound is 0; error 9 for an array that is not
    // two-dimensional or starts above 1, 91 for a null cell or border, 6 for
    // a value out of range. A failed call leaves the page unchanged.
    Boolean InsertTable(const CellArray& oCells);

private:
    friend struct detail::Access;

    // The page fragment: the content and "}\page ".
    void appendRtf(std::string& out) const;
    void appendRtf(detail::Chunks& out) const;

    detail::Chunks contentRtf_{"{"};
};

}  // namespace velloran
