// A table as a page holds it.
#pragma once

#include <cstdint>

#include <velloran/cell_array.hpp>
#include <velloran/fwd.hpp>

#include "common/chunks.hpp"

namespace velloran::rtf {

// The table's rows, each line ended by CR LF, appended to text. Error 91 for
// a missing cell
// or border, 5 for a width share out of range, 6 for an overflow; what was
// appended before the error stays, for the caller to cut off.
void appendTableRows(detail::Chunks& text, const CellArray& cells, std::int16_t columns, std::int16_t rows,
                     const cPage& page);

}  // namespace velloran::rtf
