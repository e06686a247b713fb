// cPolyline: an open chain of line segments through the inserted points.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cPolyline {
public:
    std::int32_t PenWidth = 15;                 // twips
    std::int32_t PenRGBColor = 0;               // black; shapes hold RGB values (red in the lowest byte)
    std::int32_t FillBackRGBColor = 0xFFFFFF;   // white
    std::int32_t FillForeRGBColor = 0;          // black
    std::int32_t FillPattern = 0;               // 0 is clear, 1 solid in the foreground colour

    // Append the point as it is now; False for a null point.
    VELLORAN_API Boolean InsertPoint(const std::shared_ptr<cPoint>& Point);

private:
    friend struct Access;

    std::int32_t pointCount_ = 0;
    std::string pointsRtf_;   // the points as drawing objects write them
    std::string vertices_;    // and as "(x,y)" joined by ";"
    std::size_t firstVertex_ = 0;
    // Bounding box of the inserted points; all 0 while there are none.
    std::int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};

}  // namespace velloran
