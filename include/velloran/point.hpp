// cPoint: a vertex of a polyline or polygon.
#pragma once

#include <velloran/shape.hpp>

namespace velloran {

class cPoint {
public:
    std::int32_t x = 0;  // twips
    std::int32_t y = 0;

private:
    friend struct detail::Access;

    void appendRtf(std::string& out) const;
};

}  // namespace velloran
