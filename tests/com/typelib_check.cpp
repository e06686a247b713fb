// The type library embedded in the DLL against the server's own tables:
// every class, its interface's flags, and every member with its kind,
// dispatch identifier, parameter types, optional parameter and default,
// in both directions.
//
//     velloran_typelib_check.exe Z:\path\to\Velloran.dll [win32|win64]
//
// The library must be for the platform named, by default this program's own:
// a 64-bit check reads a 32-bit DLL's library where no 32-bit program runs.
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "com/classes.hpp"
#include "report.hpp"

using namespace velloran::com;

namespace {

using report::check;

std::string narrow(const std::wstring& w) {
    std::string out;
    for (wchar_t c : w) out += static_cast<char>(c);
    return out;
}

std::wstring nameOf(ITypeInfo* info, HREFTYPE ref) {
    ITypeInfo* other = nullptr;
    std::wstring out = L"?";
    if (SUCCEEDED(info->GetRefTypeInfo(ref, &other))) {
        BSTR name = nullptr;
        other->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        out = name ? name : L"?";
        SysFreeString(name);
        other->Release();
    }
    return out;
}

// A type as the tables spell it: "long", "BSTR*", "_cPage**", "SAFEARRAY(_cCell*)*".
std::wstring typeText(ITypeInfo* info, const TYPEDESC& t) {
    switch (t.vt) {
    case VT_I4: return L"long";
    case VT_BSTR: return L"BSTR";
    case VT_BOOL: return L"VARIANT_BOOL";
    case VT_R4: return L"float";
    case VT_VARIANT: return L"VARIANT";
    case VT_HRESULT: return L"HRESULT";
    case VT_PTR: return typeText(info, *t.lptdesc) + L"*";
    case VT_SAFEARRAY: return L"SAFEARRAY(" + typeText(info, *t.lptdesc) + L")";
    case VT_USERDEFINED: return nameOf(info, t.hreftype);
    default: return L"vt" + std::to_wstring(t.vt);
    }
}

struct Entry {
    std::wstring name;
    std::wstring signature;
    unsigned params = 0;
    unsigned optional = 0;  // the trailing parameters that may be left out
    LONG lastDefault = 0;
    std::wstring paramNames;
};

using Key = std::pair<DISPID, INVOKEKIND>;

std::string describe(const Key& k) {
    static const char* kinds[] = {"?", "method", "get", "?", "put", "?", "?", "?", "putref"};
    char text[64];
    std::snprintf(text, sizeof text, "0x%08lX %s", static_cast<unsigned long>(k.first), kinds[k.second]);
    return text;
}

std::map<Key, Entry> fromTypeLibrary(ITypeInfo* info, const TYPEATTR& attr) {
    std::map<Key, Entry> out;
    for (UINT i = 0; i < attr.cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        Entry e;
        BSTR names[8] = {};
        UINT count = 0;
        info->GetNames(f->memid, names, 8, &count);
        e.name = names[0] ? names[0] : L"";
        for (SHORT p = 0; p < f->cParams; ++p) {
            const ELEMDESC& d = f->lprgelemdescParam[p];
            if (p) e.signature += L", ";
            e.signature += typeText(info, d.tdesc);
            const USHORT flags = d.paramdesc.wParamFlags;
            if (flags & PARAMFLAG_FRETVAL) continue;
            ++e.params;
            // A property put names its value parameter in the library only.
            if (f->invkind == INVOKE_FUNC && static_cast<UINT>(p + 1) < count && names[p + 1]) {
                if (!e.paramNames.empty()) e.paramNames += L" ";
                e.paramNames += names[p + 1];
            }
            // Optional parameters are counted from the last one that is not;
            // the last one's default remains.
            e.optional = (flags & PARAMFLAG_FOPT) != 0 ? e.optional + 1 : 0;
            e.lastDefault = 0;
            if ((flags & PARAMFLAG_FHASDEFAULT) && d.paramdesc.pparamdescex) {
                VARIANT v;
                VariantInit(&v);
                if (SUCCEEDED(VariantChangeType(&v, &d.paramdesc.pparamdescex->varDefaultValue, 0, VT_I4)))
                    e.lastDefault = V_I4(&v);
            }
        }
        for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
        out[{f->memid, f->invkind}] = e;
        info->ReleaseFuncDesc(f);
    }
    return out;
}

std::map<Key, Entry> fromTable(Table table) {
    std::map<Key, Entry> out;
    for (const Member& m : table) {
        Entry e;
        e.name = m.name;
        e.signature = m.signature();
        e.params = m.params;
        e.optional = m.optional;
        e.lastDefault = m.lastDefault;
        e.paramNames = m.paramNames;
        out[{m.id, m.kind}] = e;
    }
    return out;
}

void compareClass(ITypeLib* lib, const ClassInfo& c) {
    const std::string cls = narrow(c.name);
    ITypeInfo* coclass = nullptr;
    check(cls + ": the library has the class", SUCCEEDED(lib->GetTypeInfoOfGuid(c.clsid, &coclass)));
    if (coclass) {
        BSTR name = nullptr;
        coclass->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        check(cls + ": the class's name", name && std::wstring(name) == c.name);
        SysFreeString(name);
        TYPEATTR* attr = nullptr;
        coclass->GetTypeAttr(&attr);
        bool creatable = attr && attr->typekind == TKIND_COCLASS && (attr->wTypeFlags & TYPEFLAG_FCANCREATE);
        // A class whose interface extends older ones names them all, the newest as the default.
        bool interfaces = attr && attr->cImplTypes == 1 + c.older.size();
        if (attr) coclass->ReleaseTypeAttr(attr);
        HREFTYPE ref = 0;
        INT flags = 0;
        bool isDefault = SUCCEEDED(coclass->GetRefTypeOfImplType(0, &ref)) &&
                         SUCCEEDED(coclass->GetImplTypeFlags(0, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) &&
                         nameOf(coclass, ref) == c.interfaceName;
        for (UINT k = 0; k < c.older.size(); ++k)
            interfaces = interfaces && SUCCEEDED(coclass->GetRefTypeOfImplType(k + 1, &ref)) &&
                         nameOf(coclass, ref) == c.older[k].name;
        check(cls + ": creatable, with its interfaces, the newest the default", creatable && interfaces && isDefault);
        coclass->Release();
    }

    ITypeInfo* info = nullptr;
    lib->GetTypeInfoOfGuid(c.iid, &info);
    check(cls + ": the library has the interface", info != nullptr);
    if (!info) return;
    // The dispinterface half of a dual interface: the vtable half has the members.
    HREFTYPE vtableRef = 0;
    ITypeInfo* vtable = nullptr;
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    if (attr && attr->typekind == TKIND_DISPATCH &&
        SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef)))
        info->GetRefTypeInfo(vtableRef, &vtable);
    if (attr) info->ReleaseTypeAttr(attr);
    info->Release();
    if (!vtable) {
        check(cls + ": a dual interface", false);
        return;
    }
    vtable->GetTypeAttr(&attr);
    const WORD wanted = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;
    check(cls + ": dual, oleautomation, hidden, nonextensible", (attr->wTypeFlags & wanted) == wanted);
    BSTR name = nullptr;
    vtable->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    check(cls + ": the interface's name", name && std::wstring(name) == c.interfaceName);
    SysFreeString(name);
    std::map<Key, Entry> library = fromTypeLibrary(vtable, *attr);
    // An extended interface inherits the members of the ones it extends, with
    // their dispatch identifiers: every one of them answers through the class.
    bool base = true;
    ITypeInfo* newer = vtable;
    TYPEATTR* newerAttr = attr;
    for (const InterfaceRef& older : c.older) {
        HREFTYPE baseRef = 0;
        ITypeInfo* next = nullptr;
        TYPEATTR* nextAttr = nullptr;
        if (newerAttr->cImplTypes == 1 && SUCCEEDED(newer->GetRefTypeOfImplType(0, &baseRef)) &&
            SUCCEEDED(newer->GetRefTypeInfo(baseRef, &next)))
            next->GetTypeAttr(&nextAttr);
        BSTR nextName = nullptr;
        if (next) next->GetDocumentation(MEMBERID_NIL, &nextName, nullptr, nullptr, nullptr);
        base = base && nextAttr && IsEqualIID(nextAttr->guid, *older.iid) && nextName &&
               std::wstring(nextName) == older.name;
        SysFreeString(nextName);
        if (nextAttr)
            for (auto& [key, entry] : fromTypeLibrary(next, *nextAttr))
                if (!library.count(key)) library[key] = entry;
        newer->ReleaseTypeAttr(newerAttr);
        newer->Release();
        newer = next;
        newerAttr = nextAttr;
        if (!nextAttr) break;
    }
    check(cls + ": the interface extends the ones before it, or IDispatch", base);
    if (newer) {
        if (newerAttr) newer->ReleaseTypeAttr(newerAttr);
        newer->Release();
    }
    const std::map<Key, Entry> table = fromTable(c.members);

    std::string missing, extra, different;
    for (const auto& [key, fromLib] : library) {
        auto it = table.find(key);
        if (it == table.end()) {
            missing += " " + narrow(fromLib.name) + " (" + describe(key) + ")";
            continue;
        }
        const Entry& t = it->second;
        if (t.name != fromLib.name || t.signature != fromLib.signature || t.params != fromLib.params ||
            t.optional != fromLib.optional || (t.optional && t.lastDefault != fromLib.lastDefault) ||
            (key.second == INVOKE_FUNC && t.paramNames != fromLib.paramNames))
            different += " " + narrow(fromLib.name) + " (" + describe(key) + ": library " + narrow(fromLib.signature) +
                         " [" + narrow(fromLib.paramNames) + "], table " + narrow(t.name) + " " + narrow(t.signature) +
                         " [" + narrow(t.paramNames) + "])";
    }
    for (const auto& [key, t] : table)
        if (!library.count(key)) extra += " " + narrow(t.name) + " (" + describe(key) + ")";
    check(cls + ": every library member is in the table", missing.empty(), missing);
    check(cls + ": every table member is in the library", extra.empty(), extra);
    check(cls + ": names, parameter types and defaults agree", different.empty(), different);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SYSKIND platform = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    if (argc == 3 && std::wstring(argv[2]) == L"win32") platform = SYS_WIN32;
    else if (argc == 3 && std::wstring(argv[2]) == L"win64") platform = SYS_WIN64;
    else if (argc != 2) {
        std::printf("usage: velloran_typelib_check Velloran.dll [win32|win64]\n");
        return 2;
    }
    CoInitialize(nullptr);
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadTypeLibEx(argv[1], REGKIND_NONE, &lib);
    check("the DLL carries its type library", SUCCEEDED(hr));
    if (lib) {
        TLIBATTR* attr = nullptr;
        lib->GetLibAttr(&attr);
        check("the library identifier and version",
              attr && IsEqualGUID(attr->guid, LIBID_Velloran) && attr->wMajorVerNum == 1 && attr->wMinorVerNum == 4);
        check(std::string("the library is for ") + (platform == SYS_WIN64 ? "win64" : "win32"),
              attr && attr->syskind == platform);
        if (attr) lib->ReleaseTLibAttr(attr);
        BSTR name = nullptr;
        lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
        check("the library is named Velloran", name && std::wstring(name) == L"Velloran");
        SysFreeString(name);

        std::set<std::wstring> seen;
        for (const ClassInfo& c : classes()) {
            compareClass(lib, c);
            seen.insert(c.name);
        }
        // The library holds the fifteen classes and nothing creatable besides.
        UINT count = lib->GetTypeInfoCount(), coclasses = 0;
        for (UINT i = 0; i < count; ++i) {
            TYPEKIND kind;
            if (SUCCEEDED(lib->GetTypeInfoType(i, &kind)) && kind == TKIND_COCLASS) ++coclasses;
        }
        check("fifteen classes", seen.size() == 15 && coclasses == 15);

        // The enumerations.
        struct Enum {
            const wchar_t* name;
            std::map<std::wstring, LONG> values;
        } enums[] = {
            {L"vlRTFAlignment", {{L"aLeft", 0}, {L"aRight", 1}, {L"aCenter", 2}, {L"aJustified", 3}}},
            {L"vlRTFBorderType",
             {{L"bSingle", 1}, {L"bDouble", 2}, {L"bThick", 3}, {L"bShadow", 4}, {L"bDot", 5}, {L"bHairline", 6}}},
            {L"vlRTFField", {{L"fNone", 0}, {L"fPageNumber", 1}, {L"fPageCount", 2}, {L"fDate", 3}}},
            {L"vlRTFList", {{L"lNone", 0}, {L"lBullet", 1}, {L"lNumber", 2}}},
            {L"vlRTFOrientation", {{L"oDocument", 0}, {L"oPortrait", 1}, {L"oLandscape", 2}}},
            {L"vlRTFPictureEmbedding", {{L"eMetafile", 0}, {L"eOriginal", 1}, {L"eOriginalAndMetafile", 2}}},
            {L"vlRTFVerticalPosition", {{L"vNormal", 0}, {L"vSuperscript", 1}, {L"vSubscript", 2}}},
            {L"vlRTFTabAlignment", {{L"tLeft", 0}, {L"tCenter", 1}, {L"tRight", 2}, {L"tDecimal", 3}}},
            {L"vlRTFTabLeader", {{L"tlNone", 0}, {L"tlDots", 1}, {L"tlHyphens", 2}, {L"tlUnderline", 3}}},
            {L"vlRTFVerticalAlignment", {{L"vaTop", 0}, {L"vaCenter", 1}, {L"vaBottom", 2}}},
        };
        for (const Enum& e : enums) {
            std::map<std::wstring, LONG> found;
            for (UINT i = 0; i < count; ++i) {
                ITypeInfo* info = nullptr;
                if (FAILED(lib->GetTypeInfo(i, &info))) continue;
                BSTR typeName = nullptr;
                info->GetDocumentation(MEMBERID_NIL, &typeName, nullptr, nullptr, nullptr);
                TYPEATTR* typeAttr = nullptr;
                info->GetTypeAttr(&typeAttr);
                if (typeName && e.name == std::wstring(typeName) && typeAttr->typekind == TKIND_ENUM) {
                    for (UINT v = 0; v < typeAttr->cVars; ++v) {
                        VARDESC* var = nullptr;
                        info->GetVarDesc(v, &var);
                        BSTR member = nullptr;
                        UINT n = 0;
                        info->GetNames(var->memid, &member, 1, &n);
                        found[member] = V_I4(var->lpvarValue);
                        SysFreeString(member);
                        info->ReleaseVarDesc(var);
                    }
                }
                info->ReleaseTypeAttr(typeAttr);
                SysFreeString(typeName);
                info->Release();
            }
            check(narrow(e.name) + ": its members and values", found == e.values);
        }
        lib->Release();
    }
    CoUninitialize();
    return report::finish();
}
