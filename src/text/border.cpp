#include <velloran/border.hpp>

#include "common/module_values.hpp"

namespace velloran {

cBorder::cBorder() : BorderColorIndex(detail::moduleValues().blackColorIndex) {}

}  // namespace velloran
