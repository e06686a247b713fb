#include <velloran/line.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran::detail {

void appendRtf(const cLine& line, std::string& out) {
    // Both sizes first: an overflow appends nothing.
    std::int32_t width = abs32(sub(line.x2, line.x1));
    std::int32_t height = abs32(sub(line.y2, line.y1));
    appendWord(out, "\\dpline\\dpptx", line.x1);
    appendWord(out, "\\dppty", line.y1);
    appendWord(out, "\\dpptx", line.x2);
    appendWord(out, "\\dppty", line.y2);
    appendWord(out, "\\dpx", line.x1);
    appendWord(out, "\\dpy", line.y1);
    appendWord(out, "\\dpxsize", width);
    appendWord(out, "\\dpysize", height);
    appendPen(out, line.PenWidth, line.PenRGBColor);
}

bool appendShapeInstance(const cLine& line, std::string& out, std::int32_t z) {
    appendShapeStart(out, std::min(line.x1, line.x2), std::min(line.y1, line.y2), std::max(line.x1, line.x2),
                     std::max(line.y1, line.y2), z, 20);
    // A line runs from the box's top left to its bottom right unless flipped.
    if ((line.x2 > line.x1 && line.y2 < line.y1) || (line.x2 < line.x1 && line.y2 > line.y1))
        appendProperty(out, "fFlipV", 1);
    appendProperty(out, "fFilled", 0);
    appendShapePen(out, line.PenWidth, line.PenRGBColor);
    out += ShapeInstanceEnd;
    return true;
}

}  // namespace velloran::detail
