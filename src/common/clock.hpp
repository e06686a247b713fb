// The time a document says it was made: the host's, the environment's or the clock's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/platform.hpp"

namespace velloran::detail {

// "YYYY-MM-DD HH:MM" (a T may stand for the space, and ":SS" may follow,
// which no stamp writes) as a date and time, or nothing when the text is
// not one: a day that the month does not have, an hour past 23.
std::optional<platform::LocalTime> parseTime(std::string_view text);

// The time a document is stamped with at a write: the host's (parsed, as
// the member that holds it checked), else SOURCE_DATE_EPOCH's in UTC when
// that is set (reproducible builds' convention), else the local clock.
// Error 5 for a SOURCE_DATE_EPOCH that is not a whole number of seconds
// from 1970 to 9999.
platform::LocalTime stampTime(const std::string& hostTime);

}  // namespace velloran::detail
