// cDrawing: a group of drawing shapes anchored in a paragraph.
#pragma once

#include <cstdint>
#include <memory>

#include <velloran/fwd.hpp>
#include <velloran/state.hpp>
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

    EmptiedOnMove<ShapeList> shapes_;
};

}  // namespace velloran
