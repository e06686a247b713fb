#include <velloran/point.hpp>

#include "drawing/shape_attributes.hpp"

namespace velloran {

void cPoint::appendRtf(std::string& out) const {
    detail::appendWord(out, "\\dpptx", x);
    detail::appendWord(out, "\\dppty", y);
}

}  // namespace velloran
