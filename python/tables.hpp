// Tables from Python: a CellArray or a list of rows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "values.hpp"

namespace velloran::python {

// A list of rows, each a list of cells or None: columns 1..n by rows 1..m,
// n being the longest row; a shorter row's missing cells are None.
CellArray tableOfRows(py::handle value);

// Raise error 91 naming the first place of a table of columns by rows (from
// 0) that no cell fills and no merged cell covers; nothing when every place
// is filled or covered. note(c, r) is said after the place.
template <class CellAt, class Note>
void nameMissingCell(std::size_t columns, std::size_t rows, CellAt cellAt, Note note) {
    std::vector<std::vector<bool>> covered(rows, std::vector<bool>(columns, false));
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < columns; ++c) {
            const cCell* cell = cellAt(c, r);
            if (!cell || (cell->ColumnSpan <= 1 && cell->RowSpan <= 1)) continue;
            const std::size_t across = static_cast<std::size_t>(std::max(cell->ColumnSpan, 1));
            const std::size_t down = static_cast<std::size_t>(std::max(cell->RowSpan, 1));
            for (std::size_t j = r; j < rows && j - r < down; ++j)
                for (std::size_t k = c; k < columns && k - c < across; ++k)
                    if (j != r || k != c) covered[j][k] = true;
        }
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < columns; ++c)
            if (!cellAt(c, r) && !covered[r][c])
                raiseAt(errors::ObjectNotSet, "row " + std::to_string(r + 1) + " has no cell in column " +
                                                  std::to_string(c + 1) + note(c, r));
}

}  // namespace velloran::python
