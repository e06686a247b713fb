// cPage: the content of one page, ended by a page break.
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <velloran/cell_array.hpp>
#include <velloran/fwd.hpp>
#include <velloran/own_state.hpp>
#include <velloran/types.hpp>

namespace velloran {

// A value of a table made from rows (cPage::InsertRows): nothing, UTF-8 text
// or a number.
using TableValue = std::variant<std::monostate, std::string, double>;
using TableRows = std::vector<std::vector<TableValue>>;

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
    // bound. False when an upper bound is 0, or the columns' below 0 (an
    // upper bound of rows below 0 writes the table's closing line alone);
    // error 9 for an array that is not two-dimensional or starts above 1, 91
    // for a null cell or border, 6 for a value out of range. A failed call
    // leaves the page unchanged.
    VELLORAN_API Boolean InsertTable(const CellArray& oCells);

    // Append a table made from rows of values, a cell each, with only the
    // words that change something: text as a run writes it, a number with
    // its column's decimals (or the shortest text that reads back as it,
    // "12.5", "98", never in the machine's locale), nothing for none. The
    // columns are laid out as AddTableColumn said (without it, equal shares
    // of TableWidth, left-aligned); the first TableHeaderRows rows are header
    // rows, centred and standing on the cell's bottom, where a value of
    // nothing after another value continues that cell over its column (a
    // spanning header: "Treatment" over two arms; "" is an empty cell of its
    // own). Every table member below applies. False for no rows or rows
    // without values; error 5 for rows of different lengths, columns set for
    // another number of values, or a number that is not finite; 6 for widths
    // past 32 bits. A failed call leaves the page unchanged.
    VELLORAN_API Boolean InsertRows(const TableRows& Values);

    // One more column for the tables InsertRows makes from now on, in order:
    // its width in twips (0 or less: an equal share of what TableWidth leaves
    // the others), its alignment (tDecimal: the numbers' decimal points on
    // one stop the writer computes from the width and the widest value, so
    // that "12.5", "1,234.25" and "98" line up, and text on its first
    // number: "53 (61.6)" on its 53) and its numbers' digits after the point
    // (below 0: as the number needs). Header rows are centred whatever the column says. True; error 5
    // for decimals past 15, the columns unchanged.
    VELLORAN_API Boolean AddTableColumn(std::int32_t Width, vlRTFTabAlignment Align = tLeft,
                                        std::int32_t Decimals = -1);
    // Forget the columns AddTableColumn set.
    VELLORAN_API Boolean ClearTableColumns();

    // Report tables' rules on tables InsertRows makes from now on, when True:
    // a line above and below the header rows and one under the last row, and
    // under each spanning header cell a line with gaps at its ends, apart from
    // its neighbours'. False: no lines.
    Boolean TableRules = False;
    // The font (from cDocument.FontIndex) and size in points of the values of
    // tables InsertRows makes from now on; 0: the document's default.
    std::int32_t TableFontIndex = 0;
    std::int32_t TableFontHeight = 0;

    // How many rows at the top of each table inserted from now on repeat at
    // the top of every page the table runs onto (header rows); 0 for none.
    std::int32_t TableHeaderRows = 0;

    // Tables inserted from now on that the writer ends where a page ends and
    // goes on with after a page break, when True: the header rows written
    // again at the top of each page, TableContinuedText at the foot of each
    // page the table goes on from and TableContinuedHeadText above the
    // header rows of each page after the first (empty: none), the rules of
    // a table from InsertRows drawn under each page's last row.
    // TableRowsPerPage rows go on a page, the header rows counted (as
    // report tools count them); -1, where the writer finds its own pages
    // (until it measures them, the table is written whole). Error 5 at the
    // insert for TableRowsPerPage of 0, below -1, or no more than the
    // header rows, the page unchanged.
    Boolean TablePaginate = False;
    std::int32_t TableRowsPerPage = -1;
    std::string TableContinuedText;
    std::string TableContinuedHeadText;

    // The width, in twips, that cells' WidthPercent are shares of: at first
    // the text width of the default page (A4 with margins of one inch).
    std::int32_t TableWidth = 9026;
    // The rows of each table inserted from now on: at least this many twips
    // high (exactly, when TableRowHeightExact is True; the text past it is
    // cut), or as high as their text for 0 or less; aligned on the page as
    // TableAlign says (aCenter, aRight; others at the left), TableIndent
    // twips in from the left margin; each kept whole on one page when
    // TableKeepRowsTogether is True.
    std::int32_t TableRowHeight = 0;
    Boolean TableRowHeightExact = False;
    vlRTFAlignment TableAlign = aLeft;
    std::int32_t TableIndent = 0;
    Boolean TableKeepRowsTogether = False;
    // The rows of each table inserted from now on laid out right to left,
    // the first cell at the right.
    Boolean TableRightToLeft = False;

    // oPortrait or oLandscape turns this page (and the pages after it that
    // say the same) away from the document's PageLandscape, with the
    // document's page size and margins as they are when the page is
    // inserted; oDocument, or a value outside the enumeration, follows the
    // document when it is written.
    vlRTFOrientation Orientation = oDocument;

    // A section of its own from this page on, read at InsertPage: its own
    // header and footer (what a page holds, taken as they are then, in place
    // of the document's ordinary ones), page numbers starting again at
    // PageNumberStart (0 or less: numbering goes on), and a sheet of its own:
    // PageWidth and PageHeight in portrait terms (0 or less: the document's),
    // the margins (below 0: the document's), turned when Orientation or else
    // the document's PageLandscape says so. The pages after it that ask for
    // the same (the same header and footer objects) go on in the section; a
    // page that asks for nothing returns to the document's. A header or
    // footer page must not lead back to this page through its own: pages
    // holding each other in a ring are never freed (the automation server and
    // the module refuse such a page, and any page with a header or footer of
    // its own, with error 5).
    std::shared_ptr<cPage> PageHeader;
    std::shared_ptr<cPage> PageFooter;
    std::int32_t PageNumberStart = 0;
    std::int32_t PageWidth = 0;
    std::int32_t PageHeight = 0;
    std::int32_t PageMarginLeft = -1;
    std::int32_t PageMarginRight = -1;
    std::int32_t PageMarginTop = -1;
    std::int32_t PageMarginBottom = -1;

    // The layout of the section this page starts, read at InsertPage as the
    // sheet is (a page asking for another starts a section of its own):
    // PageColumns columns of text (2 or more; 1 or less: one), PageColumnSpace
    // twips apart, with a line between them when PageColumnLine is True;
    // every PageLineNumbers-th line numbered in the margin (0 or less: none),
    // PageLineNumberDistance twips from the text, counted again on each page
    // when PageLineNumbersEachPage is True (else from the section's start);
    // the sides of PageBorder that are visible drawn around the page's text
    // (none: no border).
    std::int32_t PageColumns = 0;
    std::int32_t PageColumnSpace = 720;
    Boolean PageColumnLine = False;
    std::int32_t PageLineNumbers = 0;
    std::int32_t PageLineNumberDistance = 360;
    Boolean PageLineNumbersEachPage = False;
    std::shared_ptr<cBorder> PageBorder;

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
