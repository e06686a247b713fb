// A paragraph's text where it stands: on a page, in a table's cell or in a
// footnote. Each place writes the paragraph's opening and mark its own way,
// so no place edits text a paragraph has written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <velloran/paragraph.hpp>

#include "common/chunks.hpp"

namespace velloran::rtf {

// What a paragraph gives a place: its content (records), and whether that
// content is a paragraph of its own, opened by "{\pard\plain" and ended by
// its mark. Opening and mark are not part of the content: the place writes
// them.
struct ParagraphText {
    bool opened;
    const detail::Chunks& content;
    bool marked;
    std::uint8_t holds = 0;  // what the content holds that the writer gathers
};

// A paragraph as a page, cell or note takes it: when it is aligned, a
// paragraph of its own around what it held (error 91 when Border is null).
struct Taken {
    const cParagraph* paragraph;
    bool own;              // a paragraph of its own, opened and marked
    detail::Chunks items;  // its content, when own
    std::uint8_t holds;    // and what it holds that the writer gathers
    ParagraphText text() const;
};

// A paragraph as a page, cell or header takes it: its Placed record.
void appendPlaced(detail::Chunks& out, const ParagraphText& paragraph);
// The N of "\lsN" for a paragraph that is a list item, else 0.
std::int32_t listNumber(const cParagraph& paragraph);

inline constexpr std::string_view Opening = "{\\pard\\plain";
inline constexpr std::string_view Mark = "\\par ";

// The words of a paragraph's own, around its content once it is taken:
// after the opening, the list it is an item of; after the content, "}",
// indents, spacing, list, border and alignment, before the mark. Its
// alignment's word, or null for one outside the enumeration, which leaves
// the content as it is.
const char* alignmentWord(vlRTFAlignment align) noexcept;
void appendParagraphStart(std::string& out, const cParagraph& paragraph);
void appendParagraphEnd(std::string& out, const cParagraph& paragraph);
// Room for the end words with all but the longest values: growing them step
// by step cost more than writing them.
inline constexpr std::size_t ParagraphEndRoom = 160;
// The paragraph whole as a header or footer holds it, its opening and mark
// included, as it is now: its content as a paragraph of its own when it is
// aligned. Error 91 when Border is null.
void appendWrapped(std::string& out, const cParagraph& paragraph);

}  // namespace velloran::rtf
