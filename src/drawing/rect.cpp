#include <velloran/rect.hpp>

#include "drawing/shape_attributes.hpp"

namespace velloran {

void cRect::appendRtf(std::string& out) const { detail::appendBoxShape(out, "\\dprect\\dpx", *this); }

void cRect::appendShape(std::string& out, std::int32_t z) const {
    detail::appendBoxShapeStart(out, *this, z, 1);
    out += detail::ShapeEnd;
}

}  // namespace velloran
