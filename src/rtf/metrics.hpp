// What the writer knows of the fonts report authors use: widths and line
// heights from the tables scripts/font-metrics makes at build time, and a
// text's lines in a width, broken where readers break them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velloran::rtf {

namespace metrics {

struct Range {
    char32_t first, last;
};
// A face's units per em, its line's height in them, its widest character
// of the ranges (a character outside them is taken as wide), and the
// advance of each character of the ranges in order.
struct Face {
    std::uint16_t units, height, widest;
    const std::uint16_t* widths;
};
// The names a family answers to (a font table's, compared without case) and
// its faces: regular, bold, italic, bold italic.
struct Family {
    std::array<const char*, 4> names;
    std::array<Face, 4> faces;
};

extern const Range ranges[];
extern const std::size_t rangeCount;
extern const Family families[];
extern const std::size_t familyCount;

}  // namespace metrics

// A font at a size as the writer measures it. A font the tables do not
// hold is measured as the widest of theirs, character by character, and
// the tallest, so that its pages come out short rather than overfull.
class Measure {
public:
    Measure(std::string_view fontName, bool bold, bool italic, std::int32_t halfPoints);

    bool known() const noexcept { return face_ != nullptr; }
    // The height of one line, in twips, as LibreOffice rounds it.
    std::int32_t lineHeight() const noexcept;
    // A text's width in twips, rounded up.
    std::int64_t width(std::string_view utf8) const noexcept;
    // The lines the text takes in a width of so many twips: broken at
    // spaces (those at a line's end take no room), a word wider than a line
    // at its characters, and at each line break ("\n", "\r\n", "\r").
    std::int32_t lines(std::string_view utf8, std::int32_t width) const noexcept;

private:
    // A character's advance, in ems.
    double advance(char32_t c) const noexcept;

    const metrics::Face* face_ = nullptr;
    std::size_t style_ = 0;
    std::int32_t halfPoints_ = 20;
};

}  // namespace velloran::rtf
