#include "com/dispatch.hpp"

#include <cwctype>

namespace velloran::com {

HRESULT coerce(const VARIANT* from, VARTYPE type, VARIANT& to) noexcept {
    VariantInit(&to);
    // Null and Nothing have no value to convert (oleaut32 calls Nothing a
    // bad variant type, which VBScript reports as an unsupported type).
    const VARIANT* value = valueOf(from);
    IUnknown* object = nullptr;
    if (!value || (SUCCEEDED(objectOf(value, &object)) && !object)) return DISP_E_TYPEMISMATCH;
    // VARIANT_ALPHABOOL: a boolean given for a string reads "True", as in the hosts' own conversions.
    HRESULT hr = VariantChangeType(&to, const_cast<VARIANT*>(value), type == VT_BSTR ? VARIANT_ALPHABOOL : 0, type);
    // A value beyond what the conversion takes (a date past the calendar's
    // end as a string answers E_INVALIDARG) is no value of the type either.
    if (FAILED(hr) && HRESULT_FACILITY(hr) != FACILITY_DISPATCH && hr != E_OUTOFMEMORY) return DISP_E_TYPEMISMATCH;
    return hr;
}

HRESULT objectOf(const VARIANT* from, IUnknown** object) noexcept {
    const VARIANT* v = valueOf(from);
    if (!v) return DISP_E_TYPEMISMATCH;
    switch (V_VT(v)) {
    case VT_NULL: *object = nullptr; return S_OK;  // JScript's null
    case VT_DISPATCH: *object = V_DISPATCH(v); return S_OK;
    case VT_UNKNOWN: *object = V_UNKNOWN(v); return S_OK;
    case VT_DISPATCH | VT_BYREF: *object = V_DISPATCHREF(v) ? *V_DISPATCHREF(v) : nullptr; return S_OK;
    case VT_UNKNOWN | VT_BYREF: *object = V_UNKNOWNREF(v) ? *V_UNKNOWNREF(v) : nullptr; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

namespace {

bool sameName(const wchar_t* a, const wchar_t* b, std::size_t bLength) noexcept {
    if (!a) return false;
    for (std::size_t i = 0; i < bLength; ++i, ++a)
        if (!*a || std::towupper(*a) != std::towupper(b[i])) return false;
    return *a == 0;
}

bool sameName(const wchar_t* a, const wchar_t* b) noexcept { return sameName(a, b, wcslen(b)); }

// Position of name among the space-separated names, or -1.
DISPID paramIndex(const wchar_t* names, const wchar_t* name) noexcept {
    DISPID index = 0;
    for (const wchar_t* p = names; *p; ++index) {
        const wchar_t* end = p;
        while (*end && *end != L' ') ++end;
        if (sameName(name, p, static_cast<std::size_t>(end - p))) return index;
        p = *end ? end + 1 : end;
    }
    return -1;
}

const Member* find(Table table, DISPID id, INVOKEKIND kind) noexcept {
    for (const Member& m : table)
        if (m.id == id && m.kind == kind) return &m;
    return nullptr;
}

bool missing(const VARIANT* v) noexcept {
    v = valueOf(v);
    return v && V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND;
}

}  // namespace

HRESULT getIdsOfNames(Table table, LPOLESTR* names, UINT count, DISPID* ids) noexcept {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    const Member* member = nullptr;
    for (const Member& m : table) {
        if (sameName(names[0], m.name)) {
            // A method's parameters are named; a property's are not.
            if (!member || m.kind == INVOKE_FUNC) member = &m;
        }
    }
    HRESULT hr = S_OK;
    ids[0] = member ? member->id : DISPID_UNKNOWN;
    if (!member) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = member ? paramIndex(member->paramNames, names[i]) : DISPID_UNKNOWN;
        if (ids[i] < 0) {
            ids[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        }
    }
    return hr;
}

namespace {

// The member a call names: object-valued fields take both kinds of
// assignment, "Set x.Border = b" (putref) and "x.Border = b" (put) from
// hosts that pass the object itself; a get may be a method's call.
const Member* calledMember(Table table, DISPID id, WORD flags, bool assignment) {
    const Member* member = nullptr;
    if (assignment) {
        INVOKEKIND first = (flags & DISPATCH_PROPERTYPUTREF) ? INVOKE_PROPERTYPUTREF : INVOKE_PROPERTYPUT;
        INVOKEKIND second = first == INVOKE_PROPERTYPUT ? INVOKE_PROPERTYPUTREF : INVOKE_PROPERTYPUT;
        member = find(table, id, first);
        if (!member) member = find(table, id, second);
    } else if (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) {
        member = find(table, id, INVOKE_FUNC);
        if (!member) member = find(table, id, INVOKE_PROPERTYGET);
    }
    return member;
}

// The arguments of a call in the member's order: positional ones come last
// to first in rgvarg, after the named ones; an optional one left out takes
// fallback.
HRESULT bindArguments(const Member& member, const DISPPARAMS& params, bool assignment, Argument* args,
                      VARIANT* fallback, UINT* argErr) {
    const UINT named = params.cNamedArgs;
    const UINT positional = params.cArgs - named;
    if (assignment) {
        if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
        if (named == 1 && params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return DISP_E_PARAMNOTFOUND;
        args[0] = {&params.rgvarg[0], 0};
        return S_OK;
    }
    if (positional > member.params) return DISP_E_BADPARAMCOUNT;
    for (UINT i = 0; i < positional; ++i) args[i] = {&params.rgvarg[params.cArgs - 1 - i], params.cArgs - 1 - i};
    for (UINT k = 0; k < named; ++k) {
        DISPID index = params.rgdispidNamedArgs[k];
        if (index < 0 || static_cast<unsigned>(index) >= member.params || args[index].value) {
            *argErr = k;
            return DISP_E_PARAMNOTFOUND;
        }
        args[index] = {&params.rgvarg[k], k};
    }
    for (unsigned i = 0; i < member.params; ++i) {
        if (args[i].value && !missing(args[i].value)) continue;
        if (i + member.optional >= member.params) {
            args[i].value = fallback;
        } else if (!args[i].value) {
            return DISP_E_BADPARAMCOUNT;
        } else {
            *argErr = args[i].position;
            return DISP_E_PARAMNOTOPTIONAL;
        }
    }
    return S_OK;
}

// A failure of the method itself: the caller sees the automation error
// through the exception, with the description its error information
// carries; a caller without one reads the error information itself.
HRESULT reportFailure(HRESULT hr, EXCEPINFO* exception) {
    if (!exception) return DISP_E_EXCEPTION;
    *exception = {};
    exception->scode = hr;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        info->GetSource(&exception->bstrSource);
        info->GetDescription(&exception->bstrDescription);
        info->GetHelpFile(&exception->bstrHelpFile);
        info->GetHelpContext(&exception->dwHelpContext);
        info->Release();
    }
    return DISP_E_EXCEPTION;
}

}  // namespace

HRESULT invoke(Table table, void* object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* exception, UINT* argErr) noexcept {
    // The result is an [out] parameter: whatever the caller left in it is no value of ours.
    if (result) VariantInit(result);
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!params) return E_INVALIDARG;
    if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
    if (params->cNamedArgs > params->cArgs || (params->cNamedArgs > 0 && !params->rgdispidNamedArgs))
        return E_INVALIDARG;
    UINT ignored = 0;
    if (!argErr) argErr = &ignored;

    const bool assignment = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    const Member* member = calledMember(table, id, flags, assignment);
    if (!member) return DISP_E_MEMBERNOTFOUND;

    constexpr unsigned MaxParams = 4;
    Argument args[MaxParams] = {};
    VARIANT fallback;
    V_VT(&fallback) = VT_I4;
    V_I4(&fallback) = member->lastDefault;
    if (HRESULT bound = bindArguments(*member, *params, assignment, args, &fallback, argErr); FAILED(bound))
        return bound;

    VARIANT discarded;
    VariantInit(&discarded);
    bool called = false;
    HRESULT hr = member->invoke(object, args, result ? result : &discarded, argErr, &called);
    VariantClear(&discarded);
    if (SUCCEEDED(hr) || !called) return hr;
    return reportFailure(hr, exception);
}

}  // namespace velloran::com
