// The document's header, from "{\rtf1" to the body's defaults: one small
// writer per destination, each appending its words to out.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <velloran/document.hpp>

#include "common/lists.hpp"
#include "common/platform.hpp"
#include "document/document_state.hpp"
#include "rtf/output.hpp"

namespace velloran::rtf {

// The whole header, to the opening of the body: the writers below in
// order. A piece whose values do not fit (an overflow, a missing border)
// writes nothing and the header goes on; running out of memory fails the
// whole.
void writeHeader(Output& out, const cDocument& doc, const detail::DocumentState& state, const detail::ListSet& lists);

// "\yr..\min" of a time stamp. Error 6 when a part does not fit 16 bits.
void appendTimeStamp(std::string& out, const platform::LocalTime& time);
void appendFontTable(std::string& out, const cDocument& doc, const detail::DocumentState& state);
void appendColorTable(std::string& out, const std::vector<std::int32_t>& colors);
void appendStyleSheet(std::string& out, const cDocument& doc, const detail::DocumentState& state);
// The outline level of a built-in heading's name ("heading 1" to "heading
// 9", in any case), 1 to 9; 0 for any other name.
std::int32_t headingLevel(std::string_view name);
void appendListTables(std::string& out, const detail::ListSet& lists);
void appendInfo(std::string& out, const cDocument& doc, std::int32_t pages, const std::string& stamp);
// The sheet's size and margins in the words given, turned for landscape.
struct Sheet {
    std::int32_t width, height, left, right, top, bottom;
};
Sheet sheetOf(const cDocument& doc) noexcept;
void appendSheet(std::string& out, const Sheet& sheet, bool landscape, const std::array<const char*, 6>& words);
void appendSheet(std::string& out, const cDocument& doc, bool landscape, const std::array<const char*, 6>& words);
// The section's page numbering words; the page number's paragraph, or
// nothing, goes to number.
void appendNumbering(std::string& out, const cDocument& doc, std::string& number);
// The header and footer groups: with even pages' own (facing), the first
// page's own where the section is the first, and in place of the ordinary
// ones a section's own header or footer (when not null).
// A later section takes the groups of the section before it that it does not
// write itself: blank writes those empty.
struct Furniture {
    bool facing, first, blank;
    const cPage* header;
    const cPage* footer;
};
void appendHeaderAndFooter(Output& out, const cDocument& doc, const std::string& number, const Furniture& f);
void appendHeaderAndFooter(std::string& out, const cDocument& doc, const std::string& number);
// The header and footer groups of a document's first section: the
// document's, with that section's own in place of the ordinary ones.
// Readers keep the first groups they meet in a section, so the first
// section's own are written here and not again before its pages; a document
// that begins with an assembled one writes none, that one's stand at its
// start.
void appendFirstFurniture(Output& out, const cDocument& doc, const detail::DocumentState& state,
                          const std::string& number, bool facing, bool blank);
// Whether the document's pages face each other (even pages with their own).
bool facingPages(const cDocument& doc, const detail::DocumentState& state) noexcept;
void appendSectionFurniture(Output& out, const cDocument& doc, bool facing, const cPage* header, const cPage* footer);
// Whether the document has a header, or a footer, of any kind.
bool hasHeader(const cDocument& doc) noexcept;
bool hasFooter(const cDocument& doc) noexcept;
void appendBodyDefaults(std::string& out, const cDocument& doc, const detail::DocumentState& state);

}  // namespace velloran::rtf
