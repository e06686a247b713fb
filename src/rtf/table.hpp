// A table as a page holds it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <velloran/cell_array.hpp>
#include <velloran/fwd.hpp>
#include <velloran/page.hpp>

#include "common/chunks.hpp"

namespace velloran::rtf {

// The words that open a row: its height (negative for an exact one), its
// left edge and alignment, and whether it stays whole; a header row says so.
struct RowFormat {
    std::string words;

    // gap: the space each side of a cell's text (\\trgaph), in twips.
    RowFormat(const cPage& page, std::int32_t indent, std::int32_t gap = 0);
    // Into out, whose room the row's cells then reuse.
    void row(std::string& out, bool header) const;
};

// Where a table's pages end, as cPage's pagination members say at the
// insert, kept in the table's record: nothing unless TablePaginate is True
// and TableRowsPerPage given. The texts are paragraphs of the writer's in
// the font words given (a table from values: its own).
struct Pagination {
    std::int32_t rowsPerPage = 0;  // 0: the table is written whole
    std::uint64_t rows = 0, headers = 0;
    std::string foot, head;

    // Error 5 for a number of rows per page that leaves no room under the
    // header rows (of the table's rows in all).
    Pagination(const cPage& page, std::uint64_t rows, std::uint64_t headers, std::string_view font);
    // The table's record, its numbers and texts.
    void appendStart(detail::Chunks& records) const;
};

// A column of a table made from values, as cPage::AddTableColumn set it.
struct Column {
    std::int32_t width = 0;
    vlRTFTabAlignment align = tLeft;
    std::int32_t decimals = -1;
};

// Appends the table to records as its rows and cells: each row's words and
// cell definitions as they stand in the document, its cells' paragraphs
// taken. Returns what the cells' records hold that the writer gathers.
// Error 91 for a missing cell or border, 5 for a width share out of range,
// 6 for an overflow; what was appended before the error stays, for the
// caller to cut off.
std::uint8_t appendTable(detail::Chunks& records, const CellArray& cells, std::int16_t columns, std::int16_t rows,
                         const cPage& page);

// Appends a table made from rows of values, as cPage::InsertRows describes
// it, with the columns given (none: equal shares). Checks everything before
// it appends: what fails appends nothing.
void appendRows(detail::Chunks& records, const TableRows& rows, const std::vector<Column>& columns, const cPage& page);

}  // namespace velloran::rtf
