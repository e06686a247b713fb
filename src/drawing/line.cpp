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

}  // namespace velloran
