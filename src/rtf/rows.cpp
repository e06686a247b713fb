// A table made from rows of values: only the words that change something.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <velloran/page.hpp>

#include "common/checked.hpp"
#include "common/numtext.hpp"
#include "common/records.hpp"
#include "common/refs.hpp"
#include "rtf/strings.hpp"
#include "rtf/table.hpp"

namespace velloran::rtf {
namespace {

// The space each side of a cell's text, in twips (\trgaph).
constexpr std::int32_t Gap = 72;
// A rule's width, in twips: a hairline of half a point.
constexpr std::string_view Rule = "\\brdrs\\brdrw10 ";

[[noreturn]] void refuse(const std::string& what) { throw Error(errors::InvalidArgument, "cPage.InsertRows: " + what); }

std::string place(std::size_t row, std::size_t column) {
    return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

// Every row as long as the first, the columns set for as many, every number finite.
void check(const TableRows& rows, const std::vector<Column>& columns) {
    const std::size_t n = rows.front().size();
    if (!columns.empty() && columns.size() != n)
        refuse(std::to_string(columns.size()) + " columns set by AddTableColumn for rows of " + std::to_string(n) +
               " values");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != n)
            refuse("row " + std::to_string(r + 1) + " has " + std::to_string(rows[r].size()) +
                   " values where row 1 has " + std::to_string(n));
        for (std::size_t c = 0; c < n; ++c)
            if (const double* number = std::get_if<double>(&rows[r][c]); number && !std::isfinite(*number))
                refuse("the number at " + place(r, c) + " is not finite");
    }
}

// Each column's right edge from the table's left one.
std::vector<std::int32_t> edges(const std::vector<Column>& columns, std::size_t n, std::int32_t indent,
                                std::int32_t tableWidth) {
    std::int64_t fixed = 0;
    std::int64_t flexible = 0;
    for (std::size_t c = 0; c < n; ++c) {
        const std::int32_t w = columns.empty() ? 0 : columns[c].width;
        if (w > 0) fixed += w;
        else ++flexible;
    }
    const std::int64_t left = static_cast<std::int64_t>(tableWidth) - fixed;
    if (flexible > 0 && left < flexible)
        throw Error(errors::InvalidArgument, "cPage.TableWidth = " + std::to_string(tableWidth) +
                                                 " leaves no room for the columns without a width");
    std::vector<std::int32_t> out;
    std::int64_t edge = indent;
    for (std::size_t c = 0; c < n; ++c) {
        const std::int32_t w = columns.empty() ? 0 : columns[c].width;
        edge += w > 0 ? w : left / flexible;
        if (edge > INT32_MAX || edge < INT32_MIN) throw Error(errors::Overflow, "the columns' widths passing 32 bits");
        out.push_back(static_cast<std::int32_t>(edge));
    }
    return out;
}

// A number as the shortest text that reads back as it, or rounded to the
// column's decimals as the reader of that text would round it, half away
// from zero (2.675 to two places is 2.68, 100.25 to one is 100.3, as report
// tables round); never in the machine's locale.
std::string numberText(double value, std::int32_t decimals) {
    char buffer[64];
    if (decimals < 0) return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
    // The shortest digits and their exponent, "d.ddde+N", written out in
    // full: a large number's own digits, not its binary value's (1e23 is
    // 100000000000000000000000, not 99999999999999991611392).
    const std::string text(buffer,
                           std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr);
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string shortest = text.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    std::erase(shortest, '.');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digits;
    if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (shortest.size() < whole) shortest.append(whole - shortest.size(), '0');
        digits = shortest.substr(0, whole) + '.' + shortest.substr(whole);
    } else {
        digits = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + shortest;
    }
    const std::size_t point = digits.find('.');
    digits.append(static_cast<std::size_t>(decimals) + 1, '0');
    bool up = digits[point + static_cast<std::size_t>(decimals) + 1] >= '5';
    digits.resize(point + static_cast<std::size_t>(decimals) + 1);
    if (decimals == 0) digits.pop_back();
    for (std::size_t i = digits.size(); up && i-- > 0;) {
        if (digits[i] == '.') continue;
        if (digits[i] != '9') {
            ++digits[i];
            up = false;
        } else {
            digits[i] = '0';
        }
    }
    if (up) digits.insert(digits.begin(), '1');
    const bool zero = digits.find_first_not_of("0.") == std::string::npos;
    return (negative && !zero ? "-" : "") + digits;
}

// What a value shows, before escaping.
std::string shownText(const TableValue& value, std::int32_t decimals) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<double>(&value)) return numberText(*number, decimals);
    return {};
}

// The widest parts of a decimal column's values before and from where the
// stop takes them, in characters: readers line up a value's first number
// on its decimal point, or on its end where it has none ("53 (61.6)" on its
// 53), so the part before is that number's digits, signs and separators.
struct Widest {
    std::size_t before = 0, from = 0;
    void add(std::string_view text) {
        const std::size_t point = std::min(text.find_first_not_of("0123456789+-,"), text.size());
        before = std::max(before, point);
        from = std::max(from, text.size() - point);
    }
};

// Where a decimal column's stop stands from its text's left edge: its
// widest value centred in the cell, each character estimated at 0.6 of the
// font's size (wider than most fonts' digits, so values stay inside).
std::int32_t decimalStop(const Widest& widest, std::int32_t width, std::int32_t points) {
    const std::int64_t character = static_cast<std::int64_t>(points) * 12;  // twips: 20 a point x 0.6
    const std::int64_t room = std::max<std::int64_t>(width - 2 * Gap, 0);
    const std::int64_t block = static_cast<std::int64_t>(widest.before + widest.from) * character;
    const std::int64_t stop =
        std::max<std::int64_t>(room - block, 0) / 2 + static_cast<std::int64_t>(widest.before) * character;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(stop, 0, room));
}

// A cell's paragraph: its alignment, a decimal stop or a spanner's rule,
// then the value, in a group where its font or a \u escape must end with it,
// The words of a table's font, none for the document's default.
std::string fontWords(const cPage& page) {
    std::string out;
    if (page.TableFontIndex != 0) detail::appendRef(out, "\\f", detail::Ref::Font, page.TableFontIndex);
    if (page.TableFontHeight > 0) detail::appendWord(out, "\\fs", detail::mul(page.TableFontHeight, 2));
    return out;
}

// after the cell's reset, which the writer writes ("\\pard\\intbl").
std::string cellText(const std::string& shown, std::string_view words, const std::string& font) {
    std::string out(words);
    if (shown.empty()) return out;
    std::string escaped;
    appendEscapedRunText(escaped, shown);
    const bool group = !font.empty() || escaped.find("\\u") != std::string::npos;
    // A space ends a control word; after a brace it would be text.
    if (group) out += '{';
    out += font;
    if (!group || !font.empty()) out += ' ';
    out += escaped;
    if (group) out += '}';
    return out;
}

// One row: its words and cells' definitions, then its cells. A header row's
// value of nothing after another value continues that cell.
class RowWriter {
public:
    RowWriter(const TableRows& rows, const std::vector<Column>& columns, const cPage& page)
        : rows_(rows),
          columns_(columns),
          page_(page),
          format_(page, page.TableIndent, Gap),
          headers_(static_cast<std::size_t>(
              std::clamp<std::int64_t>(page.TableHeaderRows, 0, static_cast<std::int64_t>(rows.size())))),
          edges_(edges(columns, rows.front().size(), page.TableIndent, page.TableWidth)) {
        const std::int32_t points = page.TableFontHeight > 0 ? page.TableFontHeight : 10;
        for (std::size_t c = 0; c < edges_.size(); ++c) {
            if (align(c) != tDecimal) {
                stops_.push_back(0);
                continue;
            }
            Widest widest;
            for (std::size_t r = headers_; r < rows.size(); ++r) widest.add(shownText(rows[r][c], decimals(c)));
            const std::int32_t left = c == 0 ? page.TableIndent : edges_[c - 1];
            stops_.push_back(decimalStop(widest, edges_[c] - left, points));
        }
    }

    std::size_t headers() const noexcept { return headers_; }
    const std::string& font() const noexcept { return font_; }

    // ruled: a row that may end a page holds the words with the rule under
    // it too, which the writer takes where it does.
    void append(detail::Chunks& records, std::size_t r, bool ruled) const {
        const bool header = r < headers_;
        const auto spans = cells(r);
        const bool rules = page_.TableRules == True;
        const bool top = rules && r == 0, bottom = rules && (r + 1 == headers_ || r + 1 == rows_.size());
        const std::string words = rowWords(r, spans, top, bottom);
        ruled = ruled && rules && !header && !bottom;
        detail::Record row(detail::Tag::Row);
        row.flag(header).flag(ruled).number(words.size());
        if (ruled) {
            const std::string under = rowWords(r, spans, top, true);
            records.append({row.view(), words, detail::Record(detail::Tag::Leaf).number(under.size()).view(), under});
        } else {
            records.append({row.view(), words});
        }
        for (std::size_t k = 0; k < spans.size(); ++k) {
            const auto [from, to] = spans[k];
            const std::string text =
                cellText(shownText(rows_[r][from], decimals(from)), paragraphWords(r, from, to), font_);
            records.append(detail::Record(detail::Tag::Cell).flag(false).flag(k + 1 == spans.size()).view());
            records.append({detail::Record(detail::Tag::Leaf).number(text.size()).view(), text});
            records.append(static_cast<char>(detail::Tag::End));
        }
        records.append(static_cast<char>(detail::Tag::End));
    }

private:
    std::string rowWords(std::size_t r, const std::vector<std::pair<std::size_t, std::size_t>>& spans, bool top,
                         bool bottom) const {
        const bool header = r < headers_;
        std::string words;
        format_.row(words, header);
        for (const auto& [from, to] : spans) {
            if (top) words.append("\\clbrdrt").append(Rule);
            if (bottom) words.append("\\clbrdrb").append(Rule);
            if (header) words += "\\clvertalb";
            detail::appendWord(words, "\\cellx", edges_[to]);
        }
        words += "\r\n";
        return words;
    }

    vlRTFTabAlignment align(std::size_t c) const { return columns_.empty() ? tLeft : columns_[c].align; }
    std::int32_t decimals(std::size_t c) const { return columns_.empty() ? -1 : columns_[c].decimals; }

    // The row's cells as the columns they cover, first and last.
    std::vector<std::pair<std::size_t, std::size_t>> cells(std::size_t r) const {
        std::vector<std::pair<std::size_t, std::size_t>> out;
        const auto& row = rows_[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            const bool continues = r < headers_ && c > 0 && std::holds_alternative<std::monostate>(row[c]) &&
                                   !std::holds_alternative<std::monostate>(row[out.back().first]);
            if (continues) out.back().second = c;
            else out.emplace_back(c, c);
        }
        return out;
    }

    // A header is centred, a spanning one above another header row ruled
    // underneath with gaps at its ends; a value as its column aligns it.
    std::string paragraphWords(std::size_t r, std::size_t from, std::size_t to) const {
        if (r < headers_) {
            std::string words = "\\qc";
            if (page_.TableRules == True && to > from && r + 1 < headers_)
                words += "\\li72\\ri72\\brdrb\\brdrs\\brdrw10";  // the gaps as wide as the cell's (Gap)
            return words;
        }
        switch (align(from)) {
        case tCenter: return "\\qc";
        case tRight: return "\\qr";
        case tDecimal: {
            std::string words = "\\tqdec";
            detail::appendWord(words, "\\tx", stops_[from]);
            return words;
        }
        default: return {};
        }
    }

    const TableRows& rows_;
    const std::vector<Column>& columns_;
    const cPage& page_;
    RowFormat format_;
    std::string font_ = fontWords(page_);
    std::size_t headers_;
    std::vector<std::int32_t> edges_;
    std::vector<std::int32_t> stops_;
};

}  // namespace

void appendRows(detail::Chunks& records, const TableRows& rows, const std::vector<Column>& columns, const cPage& page) {
    check(rows, columns);
    const RowWriter writer(rows, columns, page);
    const Pagination pages(page, rows.size(), writer.headers(), writer.font());
    pages.appendStart(records);
    for (std::size_t r = 0; r < rows.size(); ++r) writer.append(records, r, pages.rowsPerPage > 0);
    records.append(static_cast<char>(detail::Tag::End));
}

}  // namespace velloran::rtf
