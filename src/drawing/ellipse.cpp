#include <velloran/ellipse.hpp>

#include "common/access.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran::detail {

void appendRtf(const cEllipse& shape, std::string& out) { appendBoxShape(out, "\\dpellipse\\dpx", shape); }

void appendShape(const cEllipse& shape, std::string& out, std::int32_t z) {
    appendBoxShapeStart(out, shape, z, 3);
    out += ShapeEnd;
}

}  // namespace velloran::detail
