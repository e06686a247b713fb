#include <velloran/ellipse.hpp>

#include "drawing/shape_attributes.hpp"

namespace velloran {

void cEllipse::appendRtf(std::string& out) const { detail::appendBoxShape(out, "\\dpellipse\\dpx", *this); }

}  // namespace velloran
