// The words of a document's sections: those a page asks for when it starts
// one, and those of a document assembled into another as its section.
#pragma once

#include <string>
#include <string_view>

#include <velloran/document.hpp>

#include "document/document_state.hpp"
#include "rtf/header.hpp"

namespace velloran::rtf {

// A page as a document's body holds it: its content, then a page break.
void appendRtf(const cPage& page, std::string& out);

// The orientation a page asks for: oDocument for any value but portrait and
// landscape.
vlRTFOrientation orientationOf(const cPage& page);
// Whether a page asks for a size or margin of its own.
bool ownSheet(const cPage& page) noexcept;
// The words of the layout a page asks of its section: columns, line
// numbers, a page border; empty for none.
std::string layoutWords(const cPage& page);
// A section's sheet, turned as asked: the sheet is described in portrait
// terms, and landscape turns it with its margins, as the document's own.
void appendSectionSheet(const Sheet& sheet, bool landscape, std::string& out);
// The words a section a page asks for starts with after "\sect": its
// defaults reset ("\sectd"; the first section keeps the document's), its
// numbering, its sheet.
std::string sectionWords(const cDocument& doc, const cPage& page, bool later);
// What comes before a page: nothing for the first, "\sect" before one that
// starts a section, else a page break.
std::string pageBreak(bool later, bool turns);

// The words that start an assembled document's first section: its sheet, its
// numbering, its first page's own header and footer named, its header and
// footer (in its own indexes).
std::string partOpening(const cDocument& part, bool later, Boolean restart, bool facing);
// Those words without the header and footer groups: said again after the
// pages when that section is the last, where LibreOffice takes a last
// section's properties from (its numbering restarted, its first page's own
// header and footer named).
std::string partFirstSectionWords(const cDocument& part, Boolean restart);

}  // namespace velloran::rtf
