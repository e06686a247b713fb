// cPolygon: a closed outline through the inserted points.
#pragma once

#include <velloran/shape.hpp>

namespace velloran {

class cPolygon : public detail::PointShape {
public:
    cPolygon() : PointShape("\\dppolygon\\dppolycount", true) {}
};

}  // namespace velloran
