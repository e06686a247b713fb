#include <velloran/rect.hpp>

#include "common/access.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran::detail {

void appendRtf(const cRect& shape, std::string& out) { appendBoxShape(out, "\\dprect\\dpx", shape); }

void appendShape(const cRect& shape, std::string& out, std::int32_t z) {
    appendBoxShapeStart(out, shape, z, 1);
    out += ShapeEnd;
}

}  // namespace velloran::detail
