#include "com/strings.hpp"

#include <new>

#include "common/utf8.hpp"

namespace velloran::com {

std::string toUtf8(const wchar_t* text, std::size_t length) { return detail::fromUtf16(text, length); }

std::string toUtf8(BSTR text) { return text ? toUtf8(text, SysStringLen(text)) : std::string(); }

BSTR toBstr(std::string_view utf8) {
    std::wstring wide = detail::toUtf16<wchar_t>(utf8);
    if (wide.size() > 0x7FFFFFF0u) throw std::bad_alloc();
    BSTR b = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!b) throw std::bad_alloc();
    return b;
}

BSTR toBstr(const wchar_t* text) {
    BSTR b = SysAllocString(text);
    if (!b) throw std::bad_alloc();
    return b;
}

}  // namespace velloran::com
