// cPolyline: an open chain of line segments through the inserted points.
#pragma once

#include <cstdint>
#include <memory>

#include <velloran/fwd.hpp>
#include <velloran/state.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cPolyline {
public:
    std::int32_t PenWidth = 15;                // twips
    std::int32_t PenRGBColor = 0;              // black; shapes hold RGB values (red in the lowest byte)
    std::int32_t FillBackRGBColor = 0xFFFFFF;  // white
    std::int32_t FillForeRGBColor = 0;         // black
    std::int32_t FillPattern = 0;              // 0 is clear, 1 solid in the foreground colour

    // Append the point as it is now; False for a null point.
    VELLORAN_API Boolean InsertPoint(const std::shared_ptr<cPoint>& Point);

private:
    friend struct Access;

    EmptiedOnMove<PointList> points_;
};

}  // namespace velloran
