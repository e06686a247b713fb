// The header and footer groups of a section, and the page numbering words
// that go with them.
#pragma once

#include <string>

#include <velloran/document.hpp>

#include "document/document_state.hpp"
#include "rtf/output.hpp"

namespace velloran::rtf {

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

}  // namespace velloran::rtf
