// cLine: a straight line between two end points.
#pragma once

#include <velloran/shape.hpp>

namespace velloran {

class cLine {
public:
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    std::int32_t PenWidth = 15;    // twips
    std::int32_t PenRGBColor = 0;  // black

private:
    friend struct detail::Access;

    void appendRtf(std::string& out) const;
    void appendShape(std::string& out, std::int32_t z) const;
};

}  // namespace velloran
