// The document whole: the header, then the body segment by segment, each
// page's text with its indexes resolved for the document it is written in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <velloran/document.hpp>

#include "common/refs.hpp"
#include "document/document_state.hpp"
#include "rtf/header.hpp"

namespace velloran::rtf {

// The body, segment by segment: a section's words, the header and footer
// the writer writes for it, its pages' text with the indexes resolved for
// the place it stands in; then the last section's words once more.
template <class Visit>
void forEachBodyPiece(const cDocument& doc, const detail::DocumentState& state, Visit&& visit) {
    for (const detail::Segment& segment : state.body) {
        visit(std::string_view(segment.words));
        if (segment.furniture) {
            std::string furniture;
            appendSectionFurniture(furniture, doc, facingPages(doc, state), segment.header.get(), segment.footer.get());
            detail::RefResolver(nullptr).feed(furniture, visit);
        }
        detail::RefResolver resolver(segment.maps.get());
        segment.text.forEach([&](std::string_view piece) { resolver.feed(piece, visit); });
        resolver.finish(visit);
    }
    // LibreOffice takes the last section's properties from the top level of
    // the document, after the pages.
    if (!state.lastSectionWords.empty()) {
        visit(std::string_view("}"));
        visit(std::string_view(state.lastSectionWords));
        visit(std::string_view("}"));
    } else {
        visit(std::string_view("}}"));
    }
}

// The body's length as held, before its header and footer groups.
std::size_t bodySize(const detail::DocumentState& state) noexcept;
// The header, from "{\rtf1" to the opening of the body.
std::string headerText(const cDocument& doc, const detail::DocumentState& state);

}  // namespace velloran::rtf
