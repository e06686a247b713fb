// cDrawing: a group of drawing shapes anchored in a paragraph.
#pragma once

#include <memory>
#include <string>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cDrawing {
public:
    // Each insert appends the shape as it is now and widens the group's box.
    // False for a null shape; error 6 when a sum or the count overflows, in
    // which case the drawing is left as it was.
    Boolean InsertText(const std::shared_ptr<cDrawingText>& Text);
    Boolean InsertEllipse(const std::shared_ptr<cEllipse>& Ellipse);
    Boolean InsertPolygon(const std::shared_ptr<cPolygon>& Polygon);
    Boolean InsertPolyline(const std::shared_ptr<cPolyline>& Polyline);
    Boolean InsertLine(const std::shared_ptr<cLine>& Line);
    Boolean InsertRect(const std::shared_ptr<cRect>& Rect);

private:
    friend struct detail::Access;

    struct Box {
        std::int32_t minX, minY, maxX, maxY;
    };
    // Append the shape's fragment, count it and widen the bounds: the first
    // shape sets them from its box; a shape whose box extends either way (a
    // rectangle, a line) offers both its corners to each bound, the others
    // offer (minX, minY) to the lower and (maxX, maxY) to the upper bounds.
    template <class Shape>
    Boolean insert(const Shape& shape, const Box& box, bool eitherWay);
    void appendRtf(std::string& out) const;

    std::int32_t shapeCount_ = 0;
    std::int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    // The shapes as drawing objects, and again as Word 97 shapes; where the
    // first of those ends.
    std::string shapesRtf_;
    std::string shapes97_;
    std::size_t firstShapeEnd_ = 0;
};

}  // namespace velloran
