// cPage.
#include <string>

#include "members.hpp"
#include "tables.hpp"

namespace velloran::python {

// A section's header or footer page: never the page itself, nor one with a
// header or footer of its own, so pages never hold each other in a ring
// that would never be freed (error 5).
bool ringOfPages(const cPage& self, const cPage& page) { return &page == &self || page.PageHeader || page.PageFooter; }

// What a page asks of the section it starts.
void registerSectionFields(Class<cPage>& page) {
    objectField<cPage>(page, "PageHeader", &cPage::PageHeader,
                       "cPage heading the pages of the section this page starts, in place of the document's ordinary "
                       "header, taken as it is at InsertPage; None (the default) for the document's. ArgumentError (5) "
                       "for this page or a page with a header or footer of its own.",
                       ringOfPages);
    objectField<cPage>(page, "PageFooter", &cPage::PageFooter, "The same at the bottom of the section's pages.",
                       ringOfPages);
    field<LongValue>(page, "PageNumberStart", &cPage::PageNumberStart,
                     "Above 0: the section this page starts numbers its pages from this value again; 0 (the "
                     "default) goes on.");
    field<LongValue>(page, "PageWidth", &cPage::PageWidth,
                     "Above 0: the section's sheet width in portrait terms; 0 (the default) the document's.");
    field<LongValue>(page, "PageHeight", &cPage::PageHeight,
                     "Above 0: the section's sheet height in portrait terms; 0 (the default) the document's.");
    field<LongValue>(page, "PageMarginLeft", &cPage::PageMarginLeft,
                     "0 or more: the section's left margin; below 0 (the default -1) the document's.");
    field<LongValue>(page, "PageMarginRight", &cPage::PageMarginRight,
                     "0 or more: the section's right margin; below 0 (the default -1) the document's.");
    field<LongValue>(page, "PageMarginTop", &cPage::PageMarginTop,
                     "0 or more: the section's top margin; below 0 (the default -1) the document's.");
    field<LongValue>(page, "PageMarginBottom", &cPage::PageMarginBottom,
                     "0 or more: the section's bottom margin; below 0 (the default -1) the document's.");
}

void registerPage(py::module_& m) {
    // cPage
    Class<cPage> page(m, "cPage", "cPage()\n\nThe content of one page, ended by a page break.");
    field<LongValue>(page, "TableHeaderRows", &cPage::TableHeaderRows,
                     "Rows at the top of each table inserted from now on that repeat on every page the table "
                     "runs onto (default 0).");
    field<OrientationValue>(page, "Orientation", &cPage::Orientation,
                            "A vlRTFOrientation: oPortrait or oLandscape turn the page on its own (default "
                            "oDocument).");
    field<LongValue>(page, "TableRowHeight", &cPage::TableRowHeight,
                     "The least height in twips of the rows of each table inserted from now on; 0 (the default) "
                     "as high as their text.");
    static const std::string exactDoc =
        booleanDoc("The rows exactly TableRowHeight high, the text past it cut (default False).");
    static const std::string keepRowsDoc = booleanDoc("Each row kept whole on one page (default False).");
    field<BooleanValue>(page, "TableRowHeightExact", &cPage::TableRowHeightExact, exactDoc.c_str());
    field<AlignmentValue>(page, "TableAlign", &cPage::TableAlign,
                          "The tables' alignment on the page: aCenter or aRight; others (the default aLeft) at "
                          "the left.");
    field<LongValue>(page, "TableIndent", &cPage::TableIndent, "Twips from the left margin to the tables' left edge.");
    field<BooleanValue>(page, "TableKeepRowsTogether", &cPage::TableKeepRowsTogether, keepRowsDoc.c_str());
    field<LongValue>(page, "TableWidth", &cPage::TableWidth,
                     "Twips that cells' WidthPercent are shares of (default 9026, the text width of A4 with margins "
                     "of one inch).");
    registerSectionFields(page);
    method(
        page, "InsertParagraph", "(self, /, paragraph)",
        [](py::handle self_, py::handle value) {
            cPage& self = initialized<cPage>(self_);
            const auto& p = toObject<cParagraph>(value);
            waitFree({p.get()});
            return fromBoolean(self.InsertParagraph(p));
        },
        std::array{Parameter{"paragraph", "Paragraph"}},
        "InsertParagraph(paragraph: cParagraph | None) -> bool\n\nAppend the paragraph as it is now; False for None.");
    method(
        page, "InsertTable", "(self, /, cells)",
        [](py::handle self_, py::handle cells) {
            cPage& self = initialized<cPage>(self_);
            if (isInstance<CellArray>(cells)) {
                const CellArray& array = initialized<CellArray>(cells);
                try {
                    return fromBoolean(self.InsertTable(array));
                } catch (const Error& e) {
                    // The core says only that a cell is missing: say where. A
                    // cell without a Border fails the same way, and then
                    // nothing is named.
                    if (e.number() != errors::ObjectNotSet || array.dimensions() != 2) throw;
                    for (std::int32_t c = array.lbound(1); c <= array.ubound(1); ++c)
                        for (std::int32_t r = array.lbound(2); r <= array.ubound(2); ++r) {
                            const auto& cell = array.at({c, r});
                            if (cell && !cell->Border) throw;
                        }
                    auto upper = [&](std::size_t d) { return static_cast<std::size_t>(std::max(array.ubound(d), 0)); };
                    nameMissingCell(
                        upper(1), upper(2),
                        [&](std::size_t c, std::size_t r) {
                            return array.at({static_cast<std::int32_t>(c + 1), static_cast<std::int32_t>(r + 1)}).get();
                        },
                        [](std::size_t, std::size_t) { return ""; });
                    throw;
                }
            }
            if (!isSequence(cells)) wrongType("CellArray or a list of rows", cells);
            CellArray table = tableOfRows(cells);
            return fromBoolean(self.InsertTable(table));
        },
        std::array{Parameter{"cells", "oCells"}},
        "InsertTable(cells: CellArray | Sequence[Sequence[cCell | None]]) -> bool\n\nAppend a table. A CellArray "
        "is indexed [column, row] from 1 to its upper bounds; a list of rows, each a list of cells, becomes "
        "columns 1..n by rows 1..m, n being the longest row. False when there is no row or no column; error 9 "
        "for an array that is not two-dimensional or starts above 1, 91 for a missing cell or border, 6 for a "
        "value out of range. A failed call leaves the page unchanged.");
    page.finish();
}

}  // namespace velloran::python
