// A table as a page holds it.
#pragma once

#include <cstdint>

#include <velloran/cell_array.hpp>
#include <velloran/fwd.hpp>

#include "common/chunks.hpp"

namespace velloran::rtf {

// The table as records of its rows and cells, appended to records: each
// row's words and cell definitions written as they stand in the document,
// its cells' paragraphs taken. Error 91 for a missing cell or border, 5 for
// a width share out of range, 6 for an overflow; what was appended before
// the error stays, for the caller to cut off. What the cells' records hold
// that the writer gathers.
std::uint8_t appendTable(detail::Chunks& records, const CellArray& cells, std::int16_t columns, std::int16_t rows,
                         const cPage& page);

}  // namespace velloran::rtf
