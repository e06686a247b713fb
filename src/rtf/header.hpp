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

// Runs one piece: a piece whose values do not fit (an overflow, a missing
// border) writes nothing, and the writer goes on with the next. Running out
// of memory fails the whole rendering.
template <class Piece>
void resumeNext(std::string& out, Piece&& piece) {
    std::size_t mark = out.size();
    try {
        piece();
    } catch (const Error&) {
        out.resize(mark);
    }
}

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
// The default size in half-points after word; when doubling it overflows,
// only the word and its number are left out.
void appendDefaultSize(std::string& out, const char* word, const cDocument& doc);
void appendBodyDefaults(std::string& out, const cDocument& doc, const detail::DocumentState& state);

}  // namespace velloran::rtf
