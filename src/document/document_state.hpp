// What a document keeps besides its fields, which its writers read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

#include "common/chunks.hpp"
#include "common/refs.hpp"

namespace velloran::detail {

// Pages that the writer writes alike, as their first page asked at its
// insert. It comes after the words `before` (the break and the section's
// words; none for a first section that asks for nothing), then, where it
// has a header or footer of its own (`header` and `footer`, copies of the
// page's taken at the insert) or returns to the document's after one that
// had its own, the header and footer groups the writer writes for it; then
// its pages' records. A section that returns to the document's sheet says
// nothing of it (the document's own words describe it): sheetless, so that
// a document assembled into another can say it.
struct Section {
    std::string before;
    std::string words;  // the section's words alone, said again after the last section's pages
    bool turns = false;
    bool furniture = false;
    bool sheetless = false;
    std::shared_ptr<const cPage> header, footer;
    Chunks pages;
    std::uint8_t holds = 0;  // what the pages' records hold that the writer gathers

    // What the pages of the section asked for, which a next page that goes
    // on in it asks for too: its orientation, its numbering and sheet (as a
    // key), and the header and footer objects (held while the section is the
    // last, so that no other object takes their address).
    vlRTFOrientation orientation = oDocument;
    std::string key;
    std::shared_ptr<const cPage> headerAsked, footerAsked;
    bool own = false;  // a header or footer of its own
};

// Another document's pages, as it was at its insert (its header and footer
// objects copied), and where its fonts, colours and styles stand in this
// document's tables; with whether pages came before it, whether its
// numbering starts again and whether the pages faced each other then.
struct Part {
    std::shared_ptr<const cDocument> document;
    IndexMaps maps;
    bool later = false;
    bool restart = false;
    bool facing = false;
};

struct DocumentState {
    std::vector<std::variant<Section, Part>> body;
    std::int32_t pageCount = 0;
    // Slot 0 stands for the default font and is never read.
    std::vector<std::string> fontNames = {std::string()};
    std::vector<std::int32_t> fontCharSets = {0};
    // Colour index k is slot k - 1; slot 0 is always black.
    std::vector<std::int32_t> colors = {0};
    // The index of every entered upper-cased font name (slots 1 on), of
    // every colour value and of every style's key, so a lookup takes
    // constant time on average. Each key is in its table once: a name or
    // value is entered only when no slot holds it.
    std::unordered_map<std::string, std::int32_t> fontIndexes;
    std::unordered_map<std::int32_t, std::int32_t> colorIndexes = {{0, 1}};
    std::unordered_map<std::string, std::int32_t> styleIndexes;
    // Black and white as this document entered them, which its body
    // defaults name: the same whichever thread renders it.
    std::int32_t black = 0, white = 0;
    // An assembled document had even pages of its own.
    bool facing = false;
    // The paragraph styles after Normal: style index k is slot k - 1.
    std::vector<std::string> styles;
    // The host's creation time, checked when it was set; empty for none.
    std::string creationTime;
};

}  // namespace velloran::detail
