// The document whole: what only the whole knows, gathered from its records
// and those of the documents assembled into it; the header; then the body,
// section by section, each page's text with its indexes resolved for the
// document it is written in.
#pragma once

#include <string>

#include <velloran/document.hpp>

#include "document/document_state.hpp"
#include "rtf/walk.hpp"

namespace velloran::rtf {

// The lists, headings and tables of contents of the document's records, its
// header's and footer's included, with each assembled document's lists
// moved above those before.
Gathered gather(const cDocument& doc, const detail::DocumentState& state);
// About the length of the body's text: its records' length; and of the
// header and footer objects'.
std::size_t bodySize(const detail::DocumentState& state) noexcept;
std::size_t furnitureSize(const cDocument& doc) noexcept;
// The body to its end: each section's words and the header and footer the
// writer writes for it, its pages; the last section's words once more.
void writeBody(const cDocument& doc, const detail::DocumentState& state, const Gathered& gathered, Output& out);

}  // namespace velloran::rtf
