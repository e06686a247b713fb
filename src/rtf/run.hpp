// A run of text as its paragraph, or a text box, holds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include <velloran/fwd.hpp>

namespace velloran::rtf {

// Where the parts of a run's bytes lie, as offsets from their start: the
// name of its bookmark as a link names it, its escaped text, and for a table
// of contents its result (the host's text in its format).
struct RunPlaces {
    std::size_t size = 0;  // 0: the run writes nothing
    std::pair<std::size_t, std::size_t> bookmark{0, 0};
    std::pair<std::size_t, std::size_t> text{0, 0};
    std::pair<std::size_t, std::size_t> result{0, 0};
    std::int32_t contents = 0;  // a table of contents' levels, 1 to 9; 0 for another run
};

// Append one run as "{" + formatting + " " + escaped text + "}", or nothing
// for a null run or an empty text. Error 6 when the size overflows, with
// nothing appended.
RunPlaces appendTextRun(std::string& out, const cText* run);

}  // namespace velloran::rtf
