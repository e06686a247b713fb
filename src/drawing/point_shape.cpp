// Polylines and polygons: the same points, the same writers; only the
// primitive's name and whether the outline closes differ.
#include <velloran/point.hpp>
#include <velloran/polygon.hpp>
#include <velloran/polyline.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran {

template <class Shape>
Boolean Access::insertPoint(Shape& shape, const std::shared_ptr<cPoint>& point) {
    if (!point) return False;
    PointList& s = shape.points_.value;
    std::int32_t count = detail::add(s.count, 1);
    // Both texts grow or neither: a failure part-way (out of memory) is cut off.
    std::size_t mark = s.rtf.size(), vertexMark = s.vertices.size();
    try {
        detail::appendRtf(*point, s.rtf);
        if (count > 1) s.vertices += ';';
        detail::appendWord(s.vertices, "(", point->x);
        detail::appendWord(s.vertices, ",", point->y);
        s.vertices += ')';
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

namespace detail {
namespace {

template <class Shape>
void appendPoints(std::string& out, const char* primitive, const Shape& shape) {
    const auto& points = Access::points(shape);
    std::int32_t width = sub(points.maxX, points.minX);
    std::int32_t height = sub(points.maxY, points.minY);
    appendWord(out, primitive, points.count);
    out += points.rtf;
    appendWord(out, "\\dpx", points.minX);
    appendWord(out, "\\dpy", points.minY);
    appendWord(out, "\\dpxsize", width);
    appendWord(out, "\\dpysize", height);
    appendFillAndPen(out, shape);
}

// A freeform: the points as vertices in the points' own box, joined by
// lines, a polygon's first point repeated to close it. Nothing for a shape
// without points.
template <class Shape>
bool appendFreeform(std::string& out, const Shape& shape, std::int32_t z, bool closed) {
    const auto& points = Access::points(shape);
    if (points.count == 0) return false;
    std::int64_t lines = closed ? points.count : points.count - 1;
    appendShapeStart(out, points.minX, points.minY, points.maxX, points.maxY, z, 0);
    appendProperty(out, "geoLeft", points.minX);
    appendProperty(out, "geoTop", points.minY);
    appendProperty(out, "geoRight", points.maxX);
    appendProperty(out, "geoBottom", points.maxY);
    appendWord(out, "{\\sp{\\sn pVerticies}{\\sv 8;", std::int64_t{points.count} + (closed ? 1 : 0));
    out += ';';
    out += points.vertices;
    if (closed) {
        out += ';';
        out.append(points.vertices, 0, points.firstVertex);
    }
    out += "}}";
    // Segments: move to the first vertex, then lines in runs of at most 8191
    // (a segment's count has 13 bits), a polygon's close, and the end.
    std::string segments = "16384";
    std::int64_t entries = 2;
    for (std::int64_t left = lines; left > 0; left -= 8191, ++entries)
        appendWord(segments, ";", std::min<std::int64_t>(left, 8191));
    if (closed) segments += ";24577", ++entries;
    segments += ";32768";
    appendWord(out, "{\\sp{\\sn pSegmentInfo}{\\sv 2;", entries);
    out += ';';
    out += segments;
    out += "}}";
    appendShapeFill(out, shape);
    appendShapePen(out, shape.PenWidth, shape.PenRGBColor);
    out += ShapeInstanceEnd;
    return true;
}

}  // namespace

void appendRtf(const cPolyline& polyline, std::string& out) {
    appendPoints(out, "\\dppolyline\\dppolycount", polyline);
}

void appendRtf(const cPolygon& polygon, std::string& out) { appendPoints(out, "\\dppolygon\\dppolycount", polygon); }

bool appendShapeInstance(const cPolyline& polyline, std::string& out, std::int32_t z) {
    return appendFreeform(out, polyline, z, false);
}

bool appendShapeInstance(const cPolygon& polygon, std::string& out, std::int32_t z) {
    return appendFreeform(out, polygon, z, true);
}

}  // namespace detail
}  // namespace velloran
