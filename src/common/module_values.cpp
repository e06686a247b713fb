#include "common/module_values.hpp"

#include <velloran/module.hpp>

namespace velloran {
namespace detail {

ModuleValues& moduleValues() noexcept {
    thread_local ModuleValues values;
    return values;
}

}  // namespace detail

std::int32_t BlackColorIndex() noexcept { return detail::moduleValues().blackColorIndex; }
std::int32_t WhiteColorIndex() noexcept { return detail::moduleValues().whiteColorIndex; }

}  // namespace velloran
