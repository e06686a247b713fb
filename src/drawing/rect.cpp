#include <velloran/rect.hpp>

#include "common/access.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran::detail {

void appendRtf(const cRect& shape, std::string& out) { appendBoxShape(out, "\\dprect\\dpx", shape); }

bool appendShapeInstance(const cRect& shape, std::string& out, std::int32_t z) {
    appendBoxShapeStart(out, shape, z, 1);
    out += ShapeInstanceEnd;
    return true;
}

}  // namespace velloran::detail
