// Automation strings (UTF-16, length-prefixed) and the core's UTF-8.
#pragma once

#include "com/module.hpp"

namespace velloran::com {

// A null BSTR is the empty string; unpaired surrogates become U+FFFD.
std::string toUtf8(BSTR text);
std::string toUtf8(const wchar_t* text, std::size_t length);
// Throws std::bad_alloc when the string cannot be allocated.
BSTR toBstr(std::string_view utf8);
BSTR toBstr(const wchar_t* text);

}  // namespace velloran::com
