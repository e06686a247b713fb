// cEllipse: an ellipse within its bounding rectangle.
#pragma once

#include <cstdint>

#include <velloran/fwd.hpp>

namespace velloran {

class cEllipse {
public:
    std::int32_t x = 0;  // twips, the origin corner
    std::int32_t y = 0;
    std::int32_t Width = 0;  // written unchanged, negative values included
    std::int32_t Height = 0;
    std::int32_t PenWidth = 15;                // twips
    std::int32_t PenRGBColor = 0;              // black; shapes hold RGB values (red in the lowest byte)
    std::int32_t FillBackRGBColor = 0xFFFFFF;  // white
    std::int32_t FillForeRGBColor = 0;         // black
    std::int32_t FillPattern = 0;              // 0 is clear, 1 solid in the foreground colour
};

}  // namespace velloran
