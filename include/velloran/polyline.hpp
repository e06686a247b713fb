// cPolyline: an open chain of line segments through the inserted points.
#pragma once

#include <velloran/shape.hpp>

namespace velloran {

class cPolyline : public detail::PointShape {
public:
    cPolyline() : PointShape("\\dppolyline\\dppolycount", false) {}
};

}  // namespace velloran
