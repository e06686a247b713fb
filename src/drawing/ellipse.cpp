#include <velloran/ellipse.hpp>

#include "drawing/shape_attributes.hpp"

namespace velloran {

void cEllipse::appendRtf(std::string& out) const { detail::appendBoxShape(out, "\\dpellipse\\dpx", *this); }

void cEllipse::appendShape(std::string& out, std::int32_t z) const {
    detail::appendBoxShapeStart(out, *this, z, 3);
    out += detail::ShapeEnd;
}

}  // namespace velloran
