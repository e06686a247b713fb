#include <velloran/point.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran {
namespace detail {

Boolean PointShape::InsertPoint(const std::shared_ptr<cPoint>& Point) {
    if (!Point) return False;
    std::int32_t count = add(pointCount_, 1);
    std::size_t mark = pointsRtf_.size();
    Access::appendRtf(*Point, pointsRtf_);
    try {
        if (count > 1) vertices_ += ';';
        appendWord(vertices_, "(", Point->x);
        appendWord(vertices_, ",", Point->y);
        vertices_ += ')';
    } catch (...) {
        pointsRtf_.resize(mark);
        throw;
    }
    if (count == 1) firstVertex_ = vertices_.size();
    pointCount_ = count;
    if (count == 1) {
        minX_ = maxX_ = Point->x;
        minY_ = maxY_ = Point->y;
    }
    if (Point->x < minX_) minX_ = Point->x;
    if (Point->y < minY_) minY_ = Point->y;
    if (Point->x > maxX_) maxX_ = Point->x;
    if (Point->y > maxY_) maxY_ = Point->y;
    return True;
}

void PointShape::appendRtf(std::string& out) const {
    std::int32_t width = sub(maxX_, minX_);
    std::int32_t height = sub(maxY_, minY_);
    appendWord(out, primitive_, pointCount_);
    out += pointsRtf_;
    appendWord(out, "\\dpx", minX_);
    appendWord(out, "\\dpy", minY_);
    appendWord(out, "\\dpxsize", width);
    appendWord(out, "\\dpysize", height);
    appendFillAndPen(out, *this);
}

// A freeform: the points as vertices in the points' own box, joined by
// lines, a polygon's first point repeated to close it. Nothing for a shape
// without points.
void PointShape::appendShape(std::string& out, std::int32_t z) const {
    if (pointCount_ == 0) return;
    std::int64_t lines = closed_ ? pointCount_ : pointCount_ - 1;
    appendShapeStart(out, minX_, minY_, maxX_, maxY_, z, 0);
    appendProperty(out, "geoLeft", minX_);
    appendProperty(out, "geoTop", minY_);
    appendProperty(out, "geoRight", maxX_);
    appendProperty(out, "geoBottom", maxY_);
    appendWord(out, "{\\sp{\\sn pVerticies}{\\sv 8;", std::int64_t{pointCount_} + (closed_ ? 1 : 0));
    out += ';';
    out += vertices_;
    if (closed_) {
        out += ';';
        out.append(vertices_, 0, firstVertex_);
    }
    out += "}}";
    // Segments: move to the first vertex, then lines in runs of at most 8191
    // (a segment's count has 13 bits), a polygon's close, and the end.
    std::string segments = "16384";
    std::int64_t entries = 2;
    for (std::int64_t left = lines; left > 0; left -= 8191, ++entries) appendWord(segments, ";", std::min<std::int64_t>(left, 8191));
    if (closed_) segments += ";24577", ++entries;
    segments += ";32768";
    appendWord(out, "{\\sp{\\sn pSegmentInfo}{\\sv 2;", entries);
    out += ';';
    out += segments;
    out += "}}";
    appendShapeFill(out, *this);
    appendShapePen(out, PenWidth, PenRGBColor);
    out += ShapeEnd;
}

}  // namespace detail
}  // namespace velloran
