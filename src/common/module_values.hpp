// Values shared by all objects of one thread.
#pragma once

#include <cstdint>

namespace velloran::detail {

struct ModuleValues {
    std::int32_t blackColorIndex = 0;
    std::int32_t whiteColorIndex = 0;
};

// This thread's values.
ModuleValues& moduleValues() noexcept;

}  // namespace velloran::detail
