#include <velloran/point.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran {
namespace detail {

Boolean PointShape::InsertPoint(const std::shared_ptr<cPoint>& Point) {
    if (!Point) return False;
    std::int32_t count = add(pointCount_, 1);
    Access::appendRtf(*Point, pointsRtf_);
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

}  // namespace detail
}  // namespace velloran
