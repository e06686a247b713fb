// Properties shared by the drawing shapes. Shapes write colours as RGB values
// (red in the lowest byte), never as colour-table indexes.
#pragma once

#include <cstdint>
#include <string>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {
namespace detail {

// Fill and pen of every shape but the line.
struct FillAndPen {
    std::int32_t PenWidth = 15;                 // twips
    std::int32_t PenRGBColor = 0;               // black
    std::int32_t FillBackRGBColor = 0xFFFFFF;   // white
    std::int32_t FillForeRGBColor = 0;          // black
    std::int32_t FillPattern = 0;               // 0 is clear, 1 solid in the foreground colour
};

// A shape given by its origin corner and extent (rectangle, ellipse, text box).
struct BoxShape : FillAndPen {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t Width = 0;   // written unchanged, negative values included
    std::int32_t Height = 0;
};

// A shape made of the points inserted into it (polyline, polygon).
class PointShape : public FillAndPen {
public:
    // Append the point as it is now; False for a null point.
    Boolean InsertPoint(const std::shared_ptr<cPoint>& Point);

protected:
    PointShape(const char* primitive, bool closed) : primitive_(primitive), closed_(closed) {}

private:
    friend struct Access;

    void appendRtf(std::string& out) const;
    void appendShape(std::string& out, std::int32_t z) const;

    const char* primitive_;
    bool closed_;
    std::int32_t pointCount_ = 0;
    std::string pointsRtf_;
    // The points again as "(x,y)" joined by ";", and the first one's length.
    std::string vertices_;
    std::size_t firstVertex_ = 0;
    // Bounding box of the inserted points; all 0 while there are none.
    std::int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};

}  // namespace detail
}  // namespace velloran
