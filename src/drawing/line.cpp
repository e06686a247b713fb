#include <velloran/line.hpp>

#include "common/checked.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran {

void cLine::appendRtf(std::string& out) const {
    // Both sizes first: an overflow appends nothing.
    std::int32_t width = detail::abs32(detail::sub(x2, x1));
    std::int32_t height = detail::abs32(detail::sub(y2, y1));
    detail::appendWord(out, "\\dpline\\dpptx", x1);
    detail::appendWord(out, "\\dppty", y1);
    detail::appendWord(out, "\\dpptx", x2);
    detail::appendWord(out, "\\dppty", y2);
    detail::appendWord(out, "\\dpx", x1);
    detail::appendWord(out, "\\dpy", y1);
    detail::appendWord(out, "\\dpxsize", width);
    detail::appendWord(out, "\\dpysize", height);
    detail::appendPen(out, PenWidth, PenRGBColor);
}

void cLine::appendShape(std::string& out, std::int32_t z) const {
    detail::appendShapeStart(out, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), z, 20);
    // A line runs from the box's top left to its bottom right unless flipped.
    if ((x2 > x1 && y2 < y1) || (x2 < x1 && y2 > y1)) detail::appendProperty(out, "fFlipV", 1);
    detail::appendProperty(out, "fFilled", 0);
    detail::appendShapePen(out, PenWidth, PenRGBColor);
    out += detail::ShapeEnd;
}

}  // namespace velloran
