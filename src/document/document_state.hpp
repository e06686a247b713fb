// What a document keeps besides its fields, which its writers read.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <velloran/types.hpp>

#include "common/chunks.hpp"
#include "common/lists.hpp"

namespace velloran::detail {

struct DocumentState {
    Chunks pagesRtf;
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
    // The paragraph styles after Normal: style index k is slot k - 1.
    std::vector<std::string> styles;
    // The lists the pages' paragraphs belong to.
    ListSet lists;
};

}  // namespace velloran::detail
