// The fifteen creatable classes, as the server registers and creates them.
#pragma once

#include <span>

#include "com/dispatch.hpp"

namespace velloran::com {

struct ClassInfo {
    const wchar_t* name;  // "cDocument"; the ProgID is "Velloran." + name
    const CLSID& clsid;
    const IID& iid;
    const wchar_t* interfaceName;  // "_cDocument"
    HRESULT (*create)(REFIID iid, void** out);
    Table members;
};

std::span<const ClassInfo> classes();

}  // namespace velloran::com
