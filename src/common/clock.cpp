#include "common/platform.hpp"

namespace velloran::platform {
namespace {
thread_local std::optional<LocalTime> fixedTime;
}

LocalTime localNow() { return fixedTime ? *fixedTime : systemLocalNow(); }

void setFixedClock(std::optional<LocalTime> time) { fixedTime = time; }

}  // namespace velloran::platform
