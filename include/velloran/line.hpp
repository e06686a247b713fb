// cLine: a straight line between two end points.
#pragma once

#include <cstdint>

#include <velloran/fwd.hpp>

namespace velloran {

class cLine {
public:
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    std::int32_t PenWidth = 15;    // twips
    std::int32_t PenRGBColor = 0;  // black
};

}  // namespace velloran
