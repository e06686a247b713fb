#include <velloran/ellipse.hpp>

#include "common/access.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran::detail {

void appendRtf(const cEllipse& shape, std::string& out) { appendBoxShape(out, "\\dpellipse\\dpx", shape); }

bool appendShapeInstance(const cEllipse& shape, std::string& out, std::int32_t z) {
    appendBoxShapeStart(out, shape, z, 3);
    out += ShapeInstanceEnd;
    return true;
}

}  // namespace velloran::detail
