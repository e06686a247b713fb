// cDrawing: a group of drawing shapes anchored in a paragraph.
#pragma once

#include <cstddef>
#include <cstdint>
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
    VELLORAN_API Boolean InsertText(const std::shared_ptr<cDrawingText>& Text);
    VELLORAN_API Boolean InsertEllipse(const std::shared_ptr<cEllipse>& Ellipse);
    VELLORAN_API Boolean InsertPolygon(const std::shared_ptr<cPolygon>& Polygon);
    VELLORAN_API Boolean InsertPolyline(const std::shared_ptr<cPolyline>& Polyline);
    VELLORAN_API Boolean InsertLine(const std::shared_ptr<cLine>& Line);
    VELLORAN_API Boolean InsertRect(const std::shared_ptr<cRect>& Rect);

private:
    friend struct Access;

    std::int32_t shapeCount_ = 0;
    std::int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    // The shapes as drawing objects, and again as Word 97 shapes; where the
    // first of those ends.
    std::string shapesRtf_;
    std::string shapes97_;
    std::size_t firstShapeEnd_ = 0;
};

}  // namespace velloran
