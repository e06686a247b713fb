#include <velloran/drawing.hpp>

#include <algorithm>
#include <array>

#include <velloran/drawing_text.hpp>
#include <velloran/ellipse.hpp>
#include <velloran/line.hpp>
#include <velloran/polygon.hpp>
#include <velloran/polyline.hpp>
#include <velloran/rect.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "rtf/shapes.hpp"

namespace velloran {

using detail::add;

// Append the shape's fragments, count it and widen the bounds: the first
// shape sets them from its box; a shape whose box extends either way (a
// rectangle, a line) offers both its corners to each bound, the others offer
// (minX, minY) to the lower and (maxX, maxY) to the upper bounds.
template <class Shape>
Boolean Access::insertShape(cDrawing& drawing, const Shape& shape, const Box& box, bool eitherWay) {
    auto& d = drawing.shapes_.value;
    // The shape's texts are made, and the room for them taken, before the
    // drawing changes: appending them then cannot fail.
    std::int32_t count = add(d.count, 1);
    // The first shape with points is left open for its result.
    const bool first = d.firstShape97.empty();
    std::string rtf, shape97;
    rtf::appendRtf(shape, rtf);
    if (first) rtf::appendShapeInstance(shape, shape97, d.count);
    else rtf::appendShape(shape, shape97, d.count);
    auto room = [](std::string& text, std::size_t more) {
        if (text.capacity() - text.size() < more) text.reserve(std::max(text.size() + more, 2 * text.capacity()));
    };
    room(d.rtf, rtf.size());
    room(first ? d.firstShape97 : d.shapes97, shape97.size());
    d.rtf += rtf;
    (first ? d.firstShape97 : d.shapes97) += shape97;
    d.count = count;
    if (count == 1) {
        d.minX = box.minX, d.minY = box.minY, d.maxX = box.maxX, d.maxY = box.maxY;
    }
    auto lower = [](std::int32_t& bound, std::int32_t value) { bound = std::min(bound, value); };
    auto upper = [](std::int32_t& bound, std::int32_t value) { bound = std::max(bound, value); };
    lower(d.minX, box.minX);
    lower(d.minY, box.minY);
    upper(d.maxX, box.maxX);
    upper(d.maxY, box.maxY);
    if (eitherWay) {
        lower(d.minX, box.maxX);
        lower(d.minY, box.maxY);
        upper(d.maxX, box.minX);
        upper(d.maxY, box.minY);
    }
    return True;
}

namespace {

template <class Shape>
auto boxOf(const Shape& shape) {
    return std::array<std::int32_t, 4>{shape.x, shape.y, add(shape.x, shape.Width), add(shape.y, shape.Height)};
}

}  // namespace

Boolean cDrawing::InsertText(const std::shared_ptr<cDrawingText>& Text) {
    if (!Text) return False;
    auto b = boxOf(*Text);
    return Access::insertShape(*this, *Text, {b[0], b[1], b[2], b[3]}, false);
}

Boolean cDrawing::InsertEllipse(const std::shared_ptr<cEllipse>& Ellipse) {
    if (!Ellipse) return False;
    auto b = boxOf(*Ellipse);
    return Access::insertShape(*this, *Ellipse, {b[0], b[1], b[2], b[3]}, false);
}

Boolean cDrawing::InsertRect(const std::shared_ptr<cRect>& Rect) {
    if (!Rect) return False;
    auto b = boxOf(*Rect);
    return Access::insertShape(*this, *Rect, {b[0], b[1], b[2], b[3]}, true);
}

Boolean cDrawing::InsertLine(const std::shared_ptr<cLine>& Line) {
    if (!Line) return False;
    return Access::insertShape(*this, *Line, {Line->x1, Line->y1, Line->x2, Line->y2}, true);
}

Boolean cDrawing::InsertPolygon(const std::shared_ptr<cPolygon>& Polygon) {
    if (!Polygon) return False;
    const auto& b = Access::points(*Polygon);
    return Access::insertShape(*this, *Polygon, {b.minX, b.minY, b.maxX, b.maxY}, false);
}

Boolean cDrawing::InsertPolyline(const std::shared_ptr<cPolyline>& Polyline) {
    if (!Polyline) return False;
    const auto& b = Access::points(*Polyline);
    return Access::insertShape(*this, *Polyline, {b.minX, b.minY, b.maxX, b.maxY}, false);
}

}  // namespace velloran
