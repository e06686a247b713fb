// cPage.
#include <string>

#include "members.hpp"
#include "tables.hpp"
#include "members_cPage.hpp"

namespace velloran::python {

bool ringOfPages(const cPage& self, const cPage& page) { return &page == &self || page.PageHeader || page.PageFooter; }

void registerPage(py::module_& m) {
    // cPage
    Class<cPage> page(m, "cPage", "cPage()\n\nThe content of one page, ended by a page break.");
    generatedMembers(page);
    method(
        page, "InsertParagraph", "(self, /, paragraph)",
        [](py::handle self_, py::handle value) {
            cPage& self = initialized<cPage>(self_);
            const auto& p = toObject<cParagraph>(value);
            // The page may be a header that a rendering reads.
            waitFree({&self, p.get()});
            return fromBoolean(self.InsertParagraph(p));
        },
        std::array{Parameter{"paragraph", "Paragraph"}},
        "InsertParagraph(paragraph: cParagraph | None) -> bool\n\nAppend the paragraph as it is now; False for None.");
    method(
        page, "InsertTable", "(self, /, cells)",
        [](py::handle self_, py::handle cells) {
            cPage& self = initialized<cPage>(self_);
            waitFree({&self});
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
