// The fifteen creatable classes, as the server registers and creates them.
#pragma once

#include <span>

#include "com/dispatch.hpp"

namespace velloran::com {

struct InterfaceRef {
    const IID* iid;
    const wchar_t* name;
};

struct ClassInfo {
    const wchar_t* name;  // "cDocument"; the ProgID is "Velloran." + name
    const CLSID& clsid;
    const IID& iid;
    const wchar_t* interfaceName;  // "_cDocument"
    // The interfaces that the class's interface extends, newest first down
    // to the 1.0 one (cPicture's _cPicture3 extends _cPicture2, which extends
    // _cPicture); none for a class that has only its 1.0 interface.
    std::span<const InterfaceRef> older;
    HRESULT (*create)(REFIID iid, void** out);
    Table members;
};

std::span<const ClassInfo> classes();

// Type information for the objects of the class whose interface is iid,
// AddRef'd for the caller: the class's own (the coclass), and the
// interface's under the class's name.
HRESULT classTypeInfo(REFIID iid, ITypeInfo** info) noexcept;
HRESULT interfaceTypeInfo(REFIID iid, ITypeInfo** info) noexcept;

}  // namespace velloran::com
