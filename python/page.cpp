// cPage.
#include <string>

#include "members.hpp"
#include "tables.hpp"
#include "members_cPage.hpp"

namespace velloran::python {

bool ringOfPages(const cPage& self, const cPage& page) { return &page == &self || page.PageHeader || page.PageFooter; }

namespace {

// A pandas DataFrame, known by what it offers (pandas is not needed): its
// column names as the first row, then its rows without the index.
bool isDataFrame(py::handle value) {
    return py::hasattr(value, "columns") && py::hasattr(value, "itertuples") && py::hasattr(value, "iloc");
}

// A value of a row: None, text or a number (int, float, or what converts to
// one, as numpy's do); bool is not a number here. A missing value of a frame
// (None, NaN, pandas' NA) is nothing.
TableValue tableValue(py::handle value, bool frame, std::size_t r, std::size_t c) {
    if (value.is_none()) return std::monostate{};
    if (PyUnicode_Check(value.ptr())) return toString(value);
    if (!PyBool_Check(value.ptr()) && (PyLong_Check(value.ptr()) || PyFloat_Check(value.ptr()) ||
                                       PyIndex_Check(value.ptr()) || py::hasattr(value, "__float__"))) {
        const double number = PyFloat_AsDouble(value.ptr());
        if (number == -1.0 && PyErr_Occurred()) {
            // An int past a double's range is an overflow, as in every other member.
            if (!PyErr_ExceptionMatches(PyExc_OverflowError)) throw py::error_already_set();
            PyErr_Clear();
            throw Error(errors::Overflow, "row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1));
        }
        if (frame && number != number) return std::monostate{};
        return number;
    }
    if (frame && py::module_::import("pandas").attr("isna")(value).cast<bool>()) return std::monostate{};
    throw py::type_error("row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) +
                         ": expected str, a number or None, got " + std::string(Py_TYPE(value.ptr())->tp_name));
}

TableRows rowsOf(py::handle values) {
    TableRows rows;
    const bool frame = isDataFrame(values);
    py::object source = py::reinterpret_borrow<py::object>(values);
    if (frame) {
        std::vector<TableValue> names;
        for (py::handle name : values.attr("columns")) names.emplace_back(py::str(name).cast<std::string>());
        rows.push_back(std::move(names));
        source = values.attr("itertuples")(py::arg("index") = false, py::arg("name") = py::none());
    } else if (!isSequence(values)) {
        wrongType("a list of rows or a DataFrame", values);
    }
    // Lists and tuples, as most rows come, are read by index rather than
    // through an iterator: a third of the call's time for 100,000 values.
    const auto fast = [](py::handle seq) { return PyList_CheckExact(seq.ptr()) || PyTuple_CheckExact(seq.ptr()); };
    const auto row_of = [&](py::handle row) {
        std::vector<TableValue> cells;
        if (fast(row)) {
            const Py_ssize_t n = PySequence_Fast_GET_SIZE(row.ptr());
            cells.reserve(static_cast<std::size_t>(n));
            // A list's items are borrowed: one a value converts to may change the list.
            for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(row.ptr()); ++i) {
                py::object value = py::reinterpret_borrow<py::object>(PySequence_Fast_GET_ITEM(row.ptr(), i));
                cells.push_back(tableValue(value, frame, rows.size(), cells.size()));
            }
        } else {
            for (py::handle value : row) cells.push_back(tableValue(value, frame, rows.size(), cells.size()));
        }
        rows.push_back(std::move(cells));
    };
    if (fast(source)) {
        rows.reserve(static_cast<std::size_t>(PySequence_Fast_GET_SIZE(source.ptr())));
        for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(source.ptr()); ++i) {
            py::object row = py::reinterpret_borrow<py::object>(PySequence_Fast_GET_ITEM(source.ptr(), i));
            if (!isSequence(row) || PyUnicode_Check(row.ptr())) wrongType("a list of values", row);
            row_of(row);
        }
        return rows;
    }
    for (py::handle row : source) {
        if (!frame && (!isSequence(row) || PyUnicode_Check(row.ptr()))) wrongType("a list of values", row);
        row_of(row);
    }
    return rows;
}

// cPage's tables from rows of values and their columns.
void registerRows(Class<cPage>& page) {
    method(
        page, "InsertRows", "(self, /, values)",
        [](py::handle self_, py::handle values) {
            cPage& self = initialized<cPage>(self_);
            TableRows rows = rowsOf(values);
            waitFree({&self});
            return fromBoolean(self.InsertRows(rows));
        },
        std::array{Parameter{"values", "Values"}},
        "InsertRows(values: Sequence[Sequence[str | float | None]] | pandas.DataFrame) -> bool\n\nAppend a table "
        "made from rows of values, a cell each (a DataFrame: its column names, then its rows without the index, a "
        "missing value empty). False when there is no row or no value; ArgumentError (5) for rows of different "
        "lengths, columns set for another number of values or a number that is not finite, TypeError for another "
        "value. A failed call leaves the page unchanged.");
    method(
        page, "AddTableColumn", "(self, /, width, align=0, decimals=-1)",
        [](py::handle self_, py::handle width, py::handle align, py::handle decimals) {
            cPage& self = initialized<cPage>(self_);
            std::int32_t w = toLong(width);
            vlRTFTabAlignment a = TabAlignmentValue::in(align);
            std::int32_t d = toLong(decimals);
            waitFree({&self});
            return fromBoolean(self.AddTableColumn(w, a, d));
        },
        std::array{Parameter{"width", "Width"}, Parameter{"align", "Align", py::int_(0)},
                   Parameter{"decimals", "Decimals", py::int_(-1)}},
        "AddTableColumn(width: int, align: vlRTFTabAlignment | int = tLeft, decimals: int = -1) -> bool\n\nOne "
        "more column for the tables InsertRows makes: its width in twips (0 or less, a share of what TableWidth "
        "leaves), its alignment (tDecimal: on the decimal point) and its numbers' digits after the point (below "
        "0: as the number needs). ArgumentError (5) for decimals past 15.");
    method(
        page, "ClearTableColumns", "(self, /)",
        [](py::handle self_) {
            cPage& self = initialized<cPage>(self_);
            waitFree({&self});
            return fromBoolean(self.ClearTableColumns());
        },
        "ClearTableColumns() -> bool\n\nForget the columns AddTableColumn set.");
}

}  // namespace

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
    registerRows(page);
    page.finish();
}

}  // namespace velloran::python
