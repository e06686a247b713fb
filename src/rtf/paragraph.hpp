// A paragraph's text where it stands: on a page, in a table's cell or in a
// footnote. Each place writes the paragraph's opening and mark its own way,
// so no place edits text a paragraph has written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <velloran/paragraph.hpp>

#include "common/chunks.hpp"

namespace velloran::rtf {

// What a paragraph gives a place: its content, and whether that content is
// a paragraph of its own, opened by "{\pard\plain" and ended by its mark.
// Opening and mark are not part of the content: the place writes them.
struct ParagraphText {
    bool opened;
    const detail::Chunks& content;
    bool marked;
};

inline constexpr std::string_view Opening = "{\\pard\\plain";
inline constexpr std::string_view Mark = "\\par ";

// The paragraph whole, as a header or footer holds it.
void appendParagraph(std::string& out, const ParagraphText& paragraph);

// A paragraph on a page, and the reset after it that keeps its indents,
// spacing and alignment (written after its group) from reaching the next.
void appendPageParagraph(detail::Chunks& out, const ParagraphText& paragraph);
// A paragraph in a cell, opened inside the table, without its mark: the
// cell writes that with the reset once another paragraph follows, and
// "\cell" ends the last one instead. How long it is.
void appendCellParagraph(detail::Chunks& out, const ParagraphText& paragraph);
std::size_t cellParagraphSize(const ParagraphText& paragraph) noexcept;
// After a paragraph in a cell, once another follows it: its mark, when it
// has one, and the reset back to a plain paragraph in the table.
void appendCellParagraphEnd(detail::Chunks& out, bool marked);

// The words of a paragraph's own, around its content once it is taken:
// after the opening, the list it is an item of; after the content, "}",
// indents, spacing, list, border and alignment, before the mark. Its
// alignment's word, or null for one outside the enumeration, which leaves
// the content as it is.
const char* alignmentWord(vlRTFAlignment align) noexcept;
void appendParagraphStart(std::string& out, const cParagraph& paragraph);
void appendParagraphEnd(std::string& out, const cParagraph& paragraph);
// A paragraph's content made a paragraph of its own, around the content it
// had: the start words, and the opening of the paragraph the content was
// (when it was one); the mark that ended it (when it had one), and the end
// words.
void appendWrapStart(std::string& out, const cParagraph& paragraph, bool opened);
void appendWrapEnd(std::string& out, const cParagraph& paragraph, bool marked);
// The paragraph wrapped whole, its opening and mark included.
void appendWrapped(std::string& out, const cParagraph& paragraph, const ParagraphText& text);
// Room for the end with all but the longest values: growing it step by
// step cost more than writing it.
inline constexpr std::size_t ParagraphEndRoom = 160;

// The footnote mark in the text and the note's group, holding the note
// without its mark: the group ends the note's last paragraph.
void appendFootnote(detail::Chunks& out, const ParagraphText& note);

}  // namespace velloran::rtf
