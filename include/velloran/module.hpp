// Values shared by all objects of one thread.
#pragma once

#include <cstdint>

#include <velloran/export.hpp>

namespace velloran {

// Colour index of black and of white in documents of this thread: 0 until the
// thread's first cDocument is created, then 1 and 2.
VELLORAN_API std::int32_t BlackColorIndex() noexcept;
VELLORAN_API std::int32_t WhiteColorIndex() noexcept;

}  // namespace velloran
