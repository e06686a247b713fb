// cPoint: a vertex of a polyline or polygon.
#pragma once

#include <cstdint>

#include <velloran/fwd.hpp>

namespace velloran {

class cPoint {
public:
    std::int32_t x = 0;  // twips
    std::int32_t y = 0;
};

}  // namespace velloran
