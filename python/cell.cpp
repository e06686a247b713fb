// cCell and CellArray, and tables given as lists of rows.
#include <string>

#include "members.hpp"
#include "tables.hpp"
#include "members_cCell.hpp"

namespace velloran::python {

// Tables.

// The cell at one index per dimension; CellArray takes the indexes as a list.
std::shared_ptr<cCell>& cellAt(CellArray& cells, py::handle index) {
    std::vector<std::int32_t> i;
    if (PyTuple_Check(index.ptr())) {
        for (py::handle item : py::reinterpret_borrow<py::tuple>(index)) i.push_back(toLong(item));
    } else {
        i.push_back(toLong(index));
    }
    return cells.at(i);
}

std::shared_ptr<cCell> toCell(py::handle value, std::size_t row, std::size_t column) {
    if (value.is_none()) return nullptr;
    if (!isInstance<cCell>(value))
        throw py::type_error("row " + std::to_string(row) + ", column " + std::to_string(column) +
                             ": expected cCell or None, got " + Py_TYPE(value.ptr())->tp_name);
    return toObject<cCell>(value);
}

// The number of elements of an array, and the elements in automation order:
// the first index runs fastest.
std::size_t elementCount(const CellArray& cells) {
    std::size_t count = cells.dimensions() == 0 ? 0 : 1;
    for (std::size_t d = 1; d <= cells.dimensions(); ++d)
        count *=
            static_cast<std::size_t>(std::max<std::int64_t>(0, std::int64_t{cells.ubound(d)} - cells.lbound(d) + 1));
    return count;
}

py::list elements(CellArray& cells) {
    py::list out;
    std::size_t n = cells.dimensions();
    if (n == 0 || elementCount(cells) == 0) return out;
    std::vector<std::int32_t> index(n, 0);
    for (std::size_t d = 0; d < n; ++d) index[d] = cells.lbound(d + 1);
    for (;;) {
        py::tuple key(n);
        for (std::size_t d = 0; d < n; ++d) key[d] = py::int_(index[d]);
        out.append(wrap<cCell>(cellAt(cells, key)));
        std::size_t d = 0;
        while (d < n && index[d] == cells.ubound(d + 1)) index[d] = cells.lbound(d + 1), ++d;
        if (d == n) return out;
        ++index[d];
    }
}

// A list of rows, each a list of cells or None: columns 1..n by rows 1..m,
// n being the longest row; a shorter row's missing cells are None.
CellArray tableOfRows(py::handle value) {
    auto rows = py::reinterpret_borrow<py::sequence>(value);
    std::vector<std::vector<std::shared_ptr<cCell>>> grid;
    std::size_t columns = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        py::object row = rows[r];
        if (!isSequence(row))
            throw py::type_error("row " + std::to_string(r + 1) + ": expected a list of cells, got " +
                                 Py_TYPE(row.ptr())->tp_name);
        auto cells = py::reinterpret_borrow<py::sequence>(row);
        auto& line = grid.emplace_back();
        for (std::size_t c = 0; c < cells.size(); ++c) line.push_back(toCell(cells[c], r + 1, c + 1));
        columns = std::max(columns, line.size());
    }
    if (columns > INT32_MAX || grid.size() > INT32_MAX) throw Error(errors::Overflow);
    const auto n = static_cast<std::int32_t>(columns), m = static_cast<std::int32_t>(grid.size());
    // Every cell must be there but where a merged cell covers it: name the
    // first one missing, as the table's insertion would fail on it with
    // error 91 without saying where.
    nameMissingCell(
        columns, grid.size(),
        [&](std::size_t c, std::size_t r) { return c < grid[r].size() ? grid[r][c].get() : nullptr; },
        [&](std::size_t c, std::size_t r) {
            return c >= grid[r].size() ? " (the row is shorter than the longest)" : "";
        });
    CellArray table({{1, n}, {1, m}});
    for (std::int32_t r = 1; r <= m; ++r)
        for (std::int32_t c = 1; c <= static_cast<std::int32_t>(grid[r - 1].size()); ++c)
            table.at({c, r}) = std::move(grid[r - 1][c - 1]);
    return table;
}

// ---------------------------------------------------------------------------

void registerCell(py::module_& m) {
    // cCell
    Class<cCell> cell(m, "cCell",
                      "cCell()\n\nOne table cell: width, shading, borders and paragraphs. Its border starts with all "
                      "four sides visible; its shading as the thread's WhiteColorIndex(), which writes none.");
    generatedMembers(cell);
    method(
        cell, "InsertParagraph", "(self, /, paragraph)",
        [](py::handle self_, py::handle value) {
            cCell& self = initialized<cCell>(self_);
            const auto& p = toObject<cParagraph>(value);
            waitFree({&self, p.get()});
            return fromBoolean(self.InsertParagraph(p));
        },
        std::array{Parameter{"paragraph", "Paragraph"}},
        "InsertParagraph(paragraph: cParagraph | None) -> bool\n\nAppend the paragraph as it is now; False for None.");
    cell.finish();
}

// CellArray(bounds): the array's bounds, a (lower, upper) pair per dimension.
int initCellArray(PyObject* self, PyObject* args, PyObject* keywords) {
    static const char* names[] = {"bounds", nullptr};
    PyObject* given = nullptr;
    if (!PyArg_ParseTupleAndKeywords(args, keywords, "O:CellArray", const_cast<char**>(names), &given)) return -1;
    try {
        std::vector<CellArray::Bounds> bounds;
        for (py::handle pair : py::reinterpret_borrow<py::iterable>(given)) {
            if (!isSequence(pair) || py::len(pair) != 2) wrongType("a (lower, upper) pair", pair);
            auto s = py::reinterpret_borrow<py::sequence>(pair);
            bounds.push_back({toLong(s[0]), toLong(s[1])});
        }
        // An array made already stays as it is: a call may be using it.
        auto& held = reinterpret_cast<Instance<CellArray>*>(self)->held;
        if (!held) held = std::make_shared<CellArray>(std::move(bounds));
        return 0;
    } catch (const std::exception&) {
        setPythonError();
        return -1;
    }
}

void registerCellArray(py::module_& m) {
    Class<CellArray> cellArray(
        m, "CellArray",
        "An array of cells with a lower and an upper bound per dimension (bounds: Iterable[tuple[int, int]]), as "
        "an automation array: CellArray([(1, 3), (1, 2)]) has columns 1..3 and rows 1..2. Index it as "
        "cells[column, row]; an index outside its bounds is error 9, also an IndexError. Elements start as None. "
        "len() is the number of elements, and iterating gives them with the first index running fastest (a table "
        "row by row).");
    method(
        cellArray, "dimensions", "(self, /)", [](py::handle self) { return initialized<CellArray>(self).dimensions(); },
        "dimensions() -> int\n\nThe number of dimensions.");
    method(
        cellArray, "lbound", "(self, /, dimension)",
        [](py::handle self, py::handle d) {
            return initialized<CellArray>(self).lbound(static_cast<std::size_t>(toLong(d)));
        },
        std::array{Parameter{"dimension"}},
        "lbound(dimension: int) -> int\n\nLower bound of a dimension counted from 1; error 9 for one the array "
        "does not have.");
    method(
        cellArray, "ubound", "(self, /, dimension)",
        [](py::handle self, py::handle d) {
            return initialized<CellArray>(self).ubound(static_cast<std::size_t>(toLong(d)));
        },
        std::array{Parameter{"dimension"}},
        "ubound(dimension: int) -> int\n\nUpper bound of a dimension counted from 1; error 9 for one the array "
        "does not have.");
    method(
        cellArray, "__getitem__", "(self, index, /)",
        [](py::handle self, py::handle index) { return wrap<cCell>(cellAt(initialized<CellArray>(self), index)); },
        std::array{Parameter{"index"}},
        "__getitem__(index: int | tuple[int, ...]) -> cCell | None\n\nThe cell at one index per dimension.");
    method(
        cellArray, "__setitem__", "(self, index, cell, /)",
        [](py::handle self, py::handle index, py::handle value) {
            CellArray& cells = initialized<CellArray>(self);
            std::shared_ptr<cCell> cell = toStored<cCell>(value);
            cellAt(cells, index) = std::move(cell);
        },
        std::array{Parameter{"index"}, Parameter{"cell"}},
        "__setitem__(index: int | tuple[int, ...], cell: cCell | None) -> None\n\nStore a cell at one index per "
        "dimension.");
    method(
        cellArray, "__len__", "(self, /)", [](py::handle self) { return elementCount(initialized<CellArray>(self)); },
        "__len__() -> int\n\nThe number of elements.");
    method(
        cellArray, "__iter__", "(self, /)",
        [](py::handle self) { return py::iter(elements(initialized<CellArray>(self))); },
        "__iter__() -> Iterator[cCell | None]\n\nThe elements, the first index running fastest.");
    cellArray.finish(&initCellArray, "(bounds)");
}

}  // namespace velloran::python
