// A table: its rows' words, each cell's borders, layout and width, and the
// cells' paragraphs in place, merged cells laid out first.
#include "rtf/table.hpp"

#include <velloran/border.hpp>
#include <velloran/cell.hpp>
#include <velloran/page.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/module_values.hpp"
#include "common/numtext.hpp"
#include "common/records.hpp"
#include "common/refs.hpp"
#include "rtf/border.hpp"
#include "rtf/strings.hpp"

namespace velloran::rtf {

namespace {

// A value as an error names it.
std::string shown(double value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}
std::string shown(std::int32_t value) { return std::to_string(value); }

// A member's value as a side width, a shading index, takes it: 16 bits.
[[noreturn]] void overflowOf(std::int32_t value, const char* member) {
    throw Error(errors::Overflow, std::string(member) + " = " + shown(value));
}

inline std::int16_t narrowed(std::int32_t value, const char* member) {
    if (value < INT16_MIN || value > INT16_MAX) [[unlikely]]
        overflowOf(value, member);
    return static_cast<std::int16_t>(value);
}

// An error of a cell's, said with the cell's place.
// An error of a cell's value, said with the cell's place; a cell without a
// border fails with its number alone.
[[noreturn]] void failAt(const Error& e, std::int32_t column, std::int32_t row) {
    const std::string what = e.what(), head = Error::message(e.number());
    if (what.size() <= head.size() + 2) throw e;
    throw Error(e.number(),
                what.substr(head.size() + 2) + " at row " + std::to_string(row) + ", column " + std::to_string(column));
}

const cCell& cellAt(const CellArray& cells, std::int32_t column, std::int32_t row) {
    const auto& cell = cells.at({column, row});
    if (!cell) throw Error(errors::ObjectNotSet);
    return *cell;
}

// One side of a cell: a single line in the automatic colour unless the side
// has a style or colour of its own (the frame's BorderType and
// BorderColorIndex are not read). A cell has four of them: a plain one is put
// together on the stack and appended in one step.
void appendCellSide(std::string& out, std::string_view prefix, Boolean visible, std::int32_t width,
                    vlRTFBorderStyle style, std::int32_t color, const char* member) {
    constexpr std::string_view None = "\\brdrnone", Single = "\\brdrs\\brdrw";
    if (visible == True && (style != bsFrame || color >= 0)) {
        const std::int16_t w = narrowed(width, member);
        out += prefix;
        out += '\\';
        out += borderStyle(style);
        if (color >= 0) detail::appendRef(out, "\\brdrcf", detail::Ref::Color, color);
        detail::appendWord(out, "\\brdrw", w);
        out += ' ';
        return;
    }
    char side[64];
    char* at = std::copy(prefix.begin(), prefix.end(), side);
    if (visible == True) {
        const std::int16_t w = narrowed(width, member);
        at = std::copy(Single.begin(), Single.end(), at);
        at = std::to_chars(at, side + sizeof side, w).ptr;
        *at++ = ' ';
    } else {
        at = std::copy(None.begin(), None.end(), at);
    }
    out.append(side, at);
}

// Where merged cells lie: for each place of the table, the place of the
// cell that covers it (itself for a cell of its own). Spans are laid out row
// by row; each stops at the table's edge and before a place already covered.
class Layout {
public:
    Layout(const CellArray& cells, std::int32_t columns, std::int32_t rows)
        : columns_(columns), rows_(rows), owner_(static_cast<std::size_t>(columns) * rows, Free) {
        for (std::int32_t r = 1; r <= rows; ++r)
            for (std::int32_t c = 1; c <= columns; ++c) {
                if (owner(c, r) != Free) continue;
                const cCell& cell = cellAt(cells, c, r);
                std::int32_t across = std::clamp(cell.ColumnSpan, 1, columns - c + 1);
                std::int32_t down = std::clamp(cell.RowSpan, 1, rows - r + 1);
                for (std::int32_t k = 1; k < across; ++k)
                    if (owner(c + k, r) != Free) across = k;
                for (std::int32_t j = 1; j < down; ++j)
                    for (std::int32_t k = 0; k < across; ++k)
                        if (owner(c + k, r + j) != Free) down = j;
                for (std::int32_t j = 0; j < down; ++j)
                    for (std::int32_t k = 0; k < across; ++k) slot(c + k, r + j) = index(c, r);
            }
    }

    // The cell at the place, when a cell begins there (its own place, or the
    // first column of a merge's lower row); null where a merge covers it.
    struct Place {
        std::int32_t column, row;  // of the cell that covers it
        bool first;                // the place is the cell's own
        bool below;                // another row of the cell follows below
    };
    bool begins(std::int32_t c, std::int32_t r) const { return owner(c, r) % columns_ + 1 == c; }
    Place at(std::int32_t c, std::int32_t r) const {
        std::int32_t o = owner(c, r);
        std::int32_t oc = o % columns_ + 1, orow = o / columns_ + 1;
        return {oc, orow, orow == r, r < rows_ && owner(c, r + 1) == o};
    }

private:
    static constexpr std::int32_t Free = -1;
    std::int32_t index(std::int32_t c, std::int32_t r) const { return (r - 1) * columns_ + (c - 1); }
    std::int32_t owner(std::int32_t c, std::int32_t r) const { return owner_[static_cast<std::size_t>(index(c, r))]; }
    std::int32_t& slot(std::int32_t c, std::int32_t r) { return owner_[static_cast<std::size_t>(index(c, r))]; }
    std::int32_t columns_, rows_;
    std::vector<std::int32_t> owner_;
};

// How a cell lays out its text: its vertical alignment and its padding.
// Word and LibreOffice read \\clpadl as the top padding and \\clpadt as the
// left one (LibreOffice's exporter writes them so), so each is written
// under the other's name; the unit word (3, twips) follows its padding.
void appendCellLayout(std::string& out, const cCell& cell) {
    if (cell.VerticalAlignment == vaCenter) out += "\\clvertalc";
    if (cell.VerticalAlignment == vaBottom) out += "\\clvertalb";
    auto padding = [&](const char* word, const char* unit, std::int32_t twips) {
        if (twips <= 0) return;
        detail::appendWord(out, word, twips);
        out += unit;
    };
    padding("\\clpadt", "\\clpadft3", cell.PaddingLeft);
    padding("\\clpadl", "\\clpadfl3", cell.PaddingTop);
    padding("\\clpadr", "\\clpadfr3", cell.PaddingRight);
    padding("\\clpadb", "\\clpadfb3", cell.PaddingBottom);
}

// A cell's width in twips: its Width, or its share of the table's width,
// which it also names for readers that lay a table out by shares
// (\\clftsWidth2, in fiftieths of a percent).
std::int32_t cellWidth(const cCell& cell, std::int32_t tableWidth, std::string& out) {
    const float percent = cell.WidthPercent;
    if (!(percent >= 0.0f && percent <= 100.0f))
        throw Error(errors::InvalidArgument, "cCell.WidthPercent = " + shown(static_cast<double>(percent)));
    if (percent == 0.0f) return cell.Width;
    if (tableWidth <= 0) throw Error(errors::InvalidArgument, "cPage.TableWidth = " + shown(tableWidth));
    detail::appendWord(out, "\\clftsWidth2\\clwWidth", detail::rounded(static_cast<double>(percent) * 50.0));
    return detail::rounded(static_cast<double>(tableWidth) * static_cast<double>(percent) / 100.0);
}

// Whether a cell spans more than its place; null places are found later.
bool anySpan(const CellArray& cells, std::int32_t columns, std::int32_t rows) {
    for (std::int32_t r = 1; r <= rows; ++r)
        for (std::int32_t c = 1; c <= columns; ++c) {
            const auto& cell = cells.at({c, r});
            if (cell && (cell->ColumnSpan > 1 || cell->RowSpan > 1)) return true;
        }
    return false;
}

// Which cell each place of the table writes, and whether it continues a
// merge from above; nothing for a place inside a merge's row. A table
// without merged cells is written straight from the array.
class Places {
public:
    Places(const CellArray& cells, std::int16_t columns, std::int16_t rows) : cells_(cells) {
        if (anySpan(cells, columns, rows)) layout_.emplace(cells, columns, rows);
    }
    struct Written {
        const cCell* cell;
        bool continued;
        bool below;
    };
    std::optional<Written> at(std::int32_t c, std::int32_t r) const {
        if (!layout_) return Written{&cellAt(cells_, c, r), false, false};
        if (!layout_->begins(c, r)) return std::nullopt;
        auto place = layout_->at(c, r);
        return Written{&cellAt(cells_, place.column, place.row), !place.first, place.below};
    }

private:
    const CellArray& cells_;
    std::optional<Layout> layout_;
};

// A cell's definition line: its merge, borders, shading and layout, and its
// right edge after the edge before it, which it gives.
std::int32_t appendCellDefinition(std::string& out, const Places::Written& place, std::int32_t edge,
                                  std::int32_t tableWidth, std::int32_t white) {
    const cCell& cell = *place.cell;
    const cBorder* border = cell.Border.get();
    if (!border) throw Error(errors::ObjectNotSet);
    if (place.continued) out += "\\clvmrg";
    else if (place.below) out += "\\clvmgf";
    const cBorder& b = *border;
    appendCellSide(out, "\\clbrdrt", b.TopVisible, b.TopWidth, b.TopStyle, b.TopColorIndex, "cBorder.TopWidth");
    appendCellSide(out, "\\clbrdrb", b.BottomVisible, b.BottomWidth, b.BottomStyle, b.BottomColorIndex,
                   "cBorder.BottomWidth");
    appendCellSide(out, "\\clbrdrl", b.LeftVisible, b.LeftWidth, b.LeftStyle, b.LeftColorIndex, "cBorder.LeftWidth");
    appendCellSide(out, "\\clbrdrr", b.RightVisible, b.RightWidth, b.RightStyle, b.RightColorIndex,
                   "cBorder.RightWidth");
    if (cell.BackColorIndex != white)
        detail::appendRef(out, "\\clcbpat", detail::Ref::Color, narrowed(cell.BackColorIndex, "cCell.BackColorIndex"));
    appendCellLayout(out, cell);
    const std::int32_t width = cellWidth(cell, tableWidth, out);
    std::int32_t right;
    if (__builtin_add_overflow(edge, width, &right))
        throw Error(errors::Overflow, "the row's widths passing 32 bits, cCell.Width = " + shown(cell.Width));
    edge = right;
    detail::appendWord(out, "\\cellx", edge);
    out += "\r\n";
    return edge;
}

// A row's cells, each with its paragraphs (a merge's lower rows are empty:
// the cell's text stands in its first), the last ending the row.
std::uint8_t appendRowCells(detail::Chunks& records, const Places& places, std::int32_t r, std::int16_t columns,
                            std::int32_t last) {
    std::uint8_t holds = 0;
    for (std::int32_t c = 1; c <= columns; ++c) {
        auto place = places.at(c, r);
        if (!place) continue;
        records.append(detail::Record(detail::Tag::Cell).flag(place->continued).flag(c == last).view());
        if (!place->continued) {
            records.appendShared(Access::records(*place->cell));
            holds |= Access::holds(*place->cell);
        }
        records.append(static_cast<char>(detail::Tag::End));
    }
    return holds;
}

}  // namespace

RowFormat::RowFormat(const cPage& page, std::int32_t indent, std::int32_t gap) {
    words = "\\trowd";
    detail::appendWord(words, "\\trgaph", gap);
    std::int32_t height = std::max(page.TableRowHeight, 0);
    detail::appendWord(words, "\\trrh", page.TableRowHeightExact == True ? -height : height);
    detail::appendWord(words, "\\trleft", indent);
    if (page.TableAlign == aCenter) words += "\\trqc";
    if (page.TableAlign == aRight) words += "\\trqr";
    if (page.TableKeepRowsTogether == True) words += "\\trkeep";
    if (page.TableRightToLeft == True) words += "\\rtlrow";
}

void RowFormat::row(std::string& out, bool header) const {
    out.assign(words);
    out += header ? "\\trhdr\r\n" : "\r\n";
}

namespace {

// A paragraph of the writer's beside a table, in its font: words, the text, the end.
std::string besideText(std::string_view words, const std::string& text, std::string_view font) {
    if (text.empty()) return {};
    std::string out(words);
    out += '{';
    out += font;
    if (!font.empty()) out += ' ';
    appendEscapedRunText(out, text);
    out += "}\\par\r\n";
    return out;
}

}  // namespace

Pagination::Pagination(const cPage& page, std::uint64_t rows_, std::uint64_t headers_, std::string_view font)
    : rows(rows_), headers(headers_) {
    if (page.TablePaginate != True || page.TableRowsPerPage == -1) return;
    if (page.TableRowsPerPage <= 0 || static_cast<std::uint64_t>(page.TableRowsPerPage) <= headers)
        throw Error(errors::InvalidArgument, "cPage.TableRowsPerPage = " + std::to_string(page.TableRowsPerPage) +
                                                 " leaves no room for a row under " + std::to_string(headers) +
                                                 " header rows");
    rowsPerPage = page.TableRowsPerPage;
    foot = besideText("\\qr", page.TableContinuedText, font);
    head = besideText("\\pard\\pagebb", page.TableContinuedHeadText, font);
}

void Pagination::appendStart(detail::Chunks& records) const {
    if (rowsPerPage == 0) {
        records.append(detail::Record(detail::Tag::Table).flag(false).view());
        return;
    }
    detail::Record start(detail::Tag::Table);
    start.flag(true).number(static_cast<std::uint64_t>(rowsPerPage)).number(rows).number(headers);
    records.append({start.number(foot.size()).number(head.size()).view(), foot, head});
}

// The table's rows: the words that open each, with its cells' definitions,
// then its cells.
std::uint8_t appendTable(detail::Chunks& records, const CellArray& cells, std::int16_t columns, std::int16_t rows,
                         const cPage& page) {
    std::uint8_t holds = 0;
    const std::int32_t indent = page.TableIndent;
    const RowFormat format(page, indent);
    const std::int32_t white = detail::moduleValues().whiteColorIndex;
    const Places places(cells, columns, rows);
    const std::int32_t height = std::max<std::int32_t>(rows, 0);  // none below 0: the closing line alone
    const auto headers = static_cast<std::uint64_t>(std::clamp<std::int32_t>(page.TableHeaderRows, 0, height));
    Pagination(page, static_cast<std::uint64_t>(height), headers, {}).appendStart(records);
    std::string words;
    words.reserve(512);
    for (std::int32_t r = 1; r <= rows; ++r) {
        const bool header = r <= page.TableHeaderRows;
        format.row(words, header);
        // Cells' right edges count from the margin, as the row's left edge does.
        std::int32_t edge = indent;
        std::int32_t last = 0;
        for (std::int32_t c = 1; c <= columns; ++c) {
            auto place = places.at(c, r);
            if (!place) continue;
            last = c;
            try {
                edge = appendCellDefinition(words, *place, edge, page.TableWidth, white);
            } catch (const Error& e) {
                failAt(e, c, r);
            }
        }
        records.append({detail::Record(detail::Tag::Row).flag(header).flag(false).number(words.size()).view(), words});
        holds |= appendRowCells(records, places, r, columns, last);
        records.append(static_cast<char>(detail::Tag::End));
    }
    records.append(static_cast<char>(detail::Tag::End));
    return holds;
}

}  // namespace velloran::rtf
