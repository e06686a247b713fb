// Values shared by all objects of one thread.
#pragma once

#include <cstdint>

namespace velloran {

// Colour index of black and of white in documents of this thread: 0 until the
// thread's first cDocument is created, then 1 and 2.
std::int32_t BlackColorIndex() noexcept;
std::int32_t WhiteColorIndex() noexcept;

}  // namespace velloran
