// Polylines and polygons: the same points, the same writers; only the
// primitive's name and whether the outline closes differ.
#include <velloran/point.hpp>
#include <velloran/polygon.hpp>
#include <velloran/polyline.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "rtf/shapes.hpp"

namespace velloran {

template <class Shape>
Boolean Access::insertPoint(Shape& shape, const std::shared_ptr<cPoint>& point) {
    if (!point) return False;
    PointList& s = shape.points_.value;
    std::int32_t count = detail::add(s.count, 1);
    // Both texts grow or neither: a failure part-way (out of memory) is cut off.
    std::size_t mark = s.rtf.size(), vertexMark = s.vertices.size();
    try {
        rtf::appendRtf(*point, s.rtf);
        rtf::appendVertex(s.vertices, *point, count == 1);
    } catch (...) {
        s.rtf.resize(mark);
        s.vertices.resize(vertexMark);
        throw;
    }
    if (count == 1) s.firstVertex = s.vertices.size();
    s.count = count;
    if (count == 1) {
        s.minX = s.maxX = point->x;
        s.minY = s.maxY = point->y;
    }
    if (point->x < s.minX) s.minX = point->x;
    if (point->y < s.minY) s.minY = point->y;
    if (point->x > s.maxX) s.maxX = point->x;
    if (point->y > s.maxY) s.maxY = point->y;
    return True;
}

Boolean cPolyline::InsertPoint(const std::shared_ptr<cPoint>& Point) { return Access::insertPoint(*this, Point); }

Boolean cPolygon::InsertPoint(const std::shared_ptr<cPoint>& Point) { return Access::insertPoint(*this, Point); }

}  // namespace velloran
