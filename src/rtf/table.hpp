// A table as a page holds it.
#pragma once

#include <cstdint>

#include <velloran/cell_array.hpp>
#include <velloran/fwd.hpp>

#include "common/chunks.hpp"

namespace velloran::rtf {

// Appends the table to records as its rows and cells: each row's words and
// cell definitions as they stand in the document, its cells' paragraphs
// taken. Returns what the cells' records hold that the writer gathers.
// Error 91 for a missing cell or border, 5 for a width share out of range,
// 6 for an overflow; what was appended before the error stays, for the
// caller to cut off.
std::uint8_t appendTable(detail::Chunks& records, const CellArray& cells, std::int16_t columns, std::int16_t rows,
                         const cPage& page);

}  // namespace velloran::rtf
