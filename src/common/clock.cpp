#include "common/clock.hpp"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdlib>

#include <velloran/types.hpp>

namespace velloran::platform {
namespace {
thread_local std::optional<LocalTime> fixedTime;
}

LocalTime localNow() { return fixedTime ? *fixedTime : systemLocalNow(); }

void setFixedClock(std::optional<LocalTime> time) { fixedTime = time; }

}  // namespace velloran::platform

namespace velloran::detail {
namespace {

// The number of exactly `count` digits at `at`, moving past them, after one
// of the characters `before` when that is not empty; -1 when they are not there.
int field(std::string_view text, std::size_t& at, std::string_view before, std::size_t count) {
    if (!before.empty()) {
        if (at >= text.size() || before.find(text[at]) == std::string_view::npos) return -1;
        ++at;
    }
    if (text.size() < at + count) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    at += count;
    return value;
}

}  // namespace

std::optional<platform::LocalTime> parseTime(std::string_view text) {
    std::size_t at = 0;
    const int year = field(text, at, "", 4), month = field(text, at, "-", 2), day = field(text, at, "-", 2);
    const int hour = field(text, at, "T ", 2), minute = field(text, at, ":", 2);
    const int second = at < text.size() ? field(text, at, ":", 2) : 0;
    if (year < 1 || month < 0 || day < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59 || at != text.size())
        return std::nullopt;
    using namespace std::chrono;
    if (!year_month_day{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                        std::chrono::day(static_cast<unsigned>(day))}
             .ok())
        return std::nullopt;
    return platform::LocalTime{year, month, day, hour, minute};
}

platform::LocalTime stampTime(const std::string& hostTime) {
    if (!hostTime.empty()) return *parseTime(hostTime);
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr || *epoch == '\0') return platform::localNow();
    // Seconds to the end of 9999, the last year a stamp's four digits hold.
    constexpr std::int64_t last = 253402300799;
    const std::string_view text(epoch);
    std::int64_t seconds = 0;
    const auto [end, failed] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (failed != std::errc() || end != text.data() + text.size() || seconds < 0 || seconds > last)
        throw Error(errors::InvalidArgument, "SOURCE_DATE_EPOCH = \"" + std::string(text) + '"');
    using namespace std::chrono;
    const sys_seconds when{std::chrono::seconds(seconds)};
    const auto days = floor<std::chrono::days>(when);
    const year_month_day date{days};
    const hh_mm_ss time{when - days};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count())};
}

}  // namespace velloran::detail
