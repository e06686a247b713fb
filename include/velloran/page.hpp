// cPage: the content of one page, ended by a page break.
#pragma once

#include <memory>

#include <velloran/cell_array.hpp>
#include <velloran/fwd.hpp>
#include <velloran/own_state.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cPage {
public:
    VELLORAN_API cPage();
    // Copies are independent objects with the same content.
    VELLORAN_API cPage(const cPage& other);
    VELLORAN_API cPage& operator=(const cPage& other);
    VELLORAN_API cPage(cPage&& other) noexcept;
    VELLORAN_API cPage& operator=(cPage&& other) noexcept;
    VELLORAN_API ~cPage();

    // Append the paragraph's fragment; False for a null paragraph.
    VELLORAN_API Boolean InsertParagraph(const std::shared_ptr<cParagraph>& Paragraph);

    // Append a table built from a two-dimensional array of cells: dimension 1
    // is the columns, dimension 2 the rows, visited from index 1 to the upper
    // bound. False when an upper bound is 0; error 9 for an array that is not
    // two-dimensional or starts above 1, 91 for a null cell or border, 6 for
    // a value out of range. A failed call leaves the page unchanged.
    VELLORAN_API Boolean InsertTable(const CellArray& oCells);

    // How many rows at the top of each table inserted from now on repeat at
    // the top of every page the table runs onto (header rows); 0 for none.
    std::int32_t TableHeaderRows = 0;

    // The rows of each table inserted from now on: at least this many twips
    // high (exactly, when TableRowHeightExact is True; the text past it is
    // cut), or as high as their text for 0 or less; aligned on the page as
    // TableAlign says (aCenter, aRight; others at the left), TableIndent
    // twips in from the left margin; each kept whole on one page when
    // TableKeepRowsTogether is True.
    // The width, in twips, that cells' WidthPercent are shares of: at first
    // the text width of the default page (A4 with margins of one inch).
    std::int32_t TableWidth = 9026;
    std::int32_t TableRowHeight = 0;
    Boolean TableRowHeightExact = False;
    vlRTFAlignment TableAlign = aLeft;
    std::int32_t TableIndent = 0;
    Boolean TableKeepRowsTogether = False;

    // oPortrait or oLandscape turns this page (and the pages after it that
    // say the same) away from the document's PageLandscape, with the
    // document's page size and margins as they are when the page is
    // inserted; oDocument, or a value outside the enumeration, follows the
    // document when it is written.
    vlRTFOrientation Orientation = oDocument;

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
