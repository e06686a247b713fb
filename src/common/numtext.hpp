// Numbers as RTF writes them: plain decimal, "-" before negative values.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace velloran::detail {

inline void appendNum(std::string& out, std::int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// A control word followed directly by its number ("\fs" 20 gives "\fs20").
inline void appendWord(std::string& out, const char* word, std::int64_t value) {
    out += word;
    appendNum(out, value);
}

}  // namespace velloran::detail
