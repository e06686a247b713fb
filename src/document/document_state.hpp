// What a document keeps besides its fields, which its writers read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

#include "common/chunks.hpp"
#include "common/lists.hpp"
#include "common/refs.hpp"

namespace velloran::detail {

// A stretch of the body: pages that the writer writes alike. The words of
// a section break come first; a section with a header or footer of its own
// (Header and Footer, copies of pages taken at the insert), or one that
// returns to the document's after one that had its own, has the
// document's header and footer written for it at every Rtf and Save, as the
// document's first section has. Then the pages' text, with its indexes
// mapped for a document assembled from another (none for its own pages).
// A section that returns to the document's sheet says nothing of it (the
// document's own words describe it): sheetless, so that a document
// assembled into another can say it.
struct Segment {
    std::string words;
    bool furniture = false;
    bool sheetless = false;
    std::shared_ptr<const cPage> header, footer;
    Chunks text;
    std::shared_ptr<const IndexMaps> maps;
};

struct DocumentState {
    std::vector<Segment> body;
    std::int32_t pageCount = 0;
    // Slot 0 stands for the default font and is never read.
    std::vector<std::string> fontNames = {std::string()};
    std::vector<std::int32_t> fontCharSets = {0};
    // Colour index k is slot k - 1; slot 0 is always black.
    std::vector<std::int32_t> colors = {0};
    // The index of every entered upper-cased font name (slots 1 on) and of
    // every colour value, so a lookup takes constant time on average. Each
    // key is in its table once: a name or value is entered only when no slot
    // holds it.
    std::unordered_map<std::string, std::int32_t> fontIndexes;
    std::unordered_map<std::int32_t, std::int32_t> colorIndexes = {{0, 1}};
    // Black and white as this document entered them, which its body
    // defaults name: the same whichever thread renders it.
    std::int32_t black = 0, white = 0;
    // Pages turned away from the document start sections of their own: the
    // orientation the last page asked for, and the words of the last
    // section, which the document repeats after the pages, where readers
    // take the last section's properties from.
    vlRTFOrientation lastOrientation = oDocument;
    std::string lastSectionWords;
    // What the last section asked for beyond its orientation, compared to
    // tell whether the next page goes on in it: its words, the header and
    // footer objects (held, so that no other object takes their address);
    // and whether it had a header or footer of its own (a
    // page's or an assembled document's), which the next section that asks
    // for none writes the document's in place of.
    std::string lastSectionKey;
    std::shared_ptr<const cPage> lastHeader, lastFooter;
    bool lastOwnFurniture = false;
    bool lastSheetless = false;
    // An assembled document had even pages of its own.
    bool facing = false;
    // The paragraph styles after Normal: style index k is slot k - 1.
    std::vector<std::string> styles;
    // The lists the pages' paragraphs belong to.
    ListSet lists;
};

}  // namespace velloran::detail
