#include <velloran/rect.hpp>

#include "drawing/shape_attributes.hpp"

namespace velloran {

void cRect::appendRtf(std::string& out) const { detail::appendBoxShape(out, "\\dprect\\dpx", *this); }

}  // namespace velloran
