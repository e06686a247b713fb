#include <velloran/point.hpp>

#include "common/access.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran::detail {

void appendRtf(const cPoint& point, std::string& out) {
    appendWord(out, "\\dpptx", point.x);
    appendWord(out, "\\dppty", point.y);
}

}  // namespace velloran::detail
