// cEllipse: an ellipse within its bounding rectangle.
#pragma once

#include <velloran/shape.hpp>

namespace velloran {

class cEllipse : public detail::BoxShape {
private:
    friend struct detail::Access;

    void appendRtf(std::string& out) const;
    void appendShape(std::string& out, std::int32_t z) const;
};

}  // namespace velloran
