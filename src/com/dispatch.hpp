// IDispatch driven by a table of members. Each entry names one vtable method
// (a property get, put or putref, or a method) with its dispatch identifier;
// the argument conversions are derived from the method's own signature, so
// a late-bound call runs exactly the code an early-bound caller reaches.
//
// Script hosts send what their variables hold: values by reference, variants
// inside by-reference variants, arrays of VARIANT, numbers for booleans. Each
// argument is converted to the declared parameter type first; an [in, out]
// parameter receives a pointer to the converted copy (no method writes to
// its parameters, so nothing is copied back).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "com/module.hpp"

namespace velloran::com {

// The variant that holds the value: VT_BYREF|VT_VARIANT chains followed.
// nullptr for a chain too long to be a host's (one that loops, say): no
// value at all.
inline const VARIANT* valueOf(const VARIANT* v) noexcept {
    for (int depth = 0; V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v); ++depth) {
        if (depth == 16) return nullptr;
        v = V_VARIANTREF(v);
    }
    return v;
}

// ---------------------------------------------------------------------------
// Names of the types as the type library spells them, for the check that the
// type library and the tables agree.

template <class I>
inline constexpr const wchar_t* interfaceName = nullptr;
#define VELLORAN_INTERFACE_NAME(I) \
    template <>                    \
    inline constexpr const wchar_t* interfaceName<I> = L## #I;
VELLORAN_INTERFACE_NAME(_cDocument)
VELLORAN_INTERFACE_NAME(_cPage)
VELLORAN_INTERFACE_NAME(_cCell)
VELLORAN_INTERFACE_NAME(_cParagraph)
VELLORAN_INTERFACE_NAME(_cText)
VELLORAN_INTERFACE_NAME(_cBorder)
VELLORAN_INTERFACE_NAME(_cPicture)
VELLORAN_INTERFACE_NAME(_cDrawing)
VELLORAN_INTERFACE_NAME(_cLine)
VELLORAN_INTERFACE_NAME(_cRect)
VELLORAN_INTERFACE_NAME(_cEllipse)
VELLORAN_INTERFACE_NAME(_cPolyline)
VELLORAN_INTERFACE_NAME(_cPolygon)
VELLORAN_INTERFACE_NAME(_cPoint)
VELLORAN_INTERFACE_NAME(_cDrawingText)
VELLORAN_INTERFACE_NAME(_cText2)
VELLORAN_INTERFACE_NAME(_cParagraph2)
VELLORAN_INTERFACE_NAME(_cCell2)
VELLORAN_INTERFACE_NAME(_cPage2)
VELLORAN_INTERFACE_NAME(_cPicture2)
VELLORAN_INTERFACE_NAME(_cPicture3)
VELLORAN_INTERFACE_NAME(_cText3)
VELLORAN_INTERFACE_NAME(_cText4)
VELLORAN_INTERFACE_NAME(_cDocument2)
VELLORAN_INTERFACE_NAME(_cDocument3)
VELLORAN_INTERFACE_NAME(_cBorder2)
VELLORAN_INTERFACE_NAME(_cPage4)
VELLORAN_INTERFACE_NAME(_cCell3)
VELLORAN_INTERFACE_NAME(_cPage3)
VELLORAN_INTERFACE_NAME(_cParagraph3)
VELLORAN_INTERFACE_NAME(_cParagraph4)
#undef VELLORAN_INTERFACE_NAME

template <class T>
std::wstring typeName() {
    if constexpr (std::is_same_v<T, LONG>) return L"long";
    else if constexpr (std::is_same_v<T, BSTR>) return L"BSTR";
    else if constexpr (std::is_same_v<T, VARIANT_BOOL>) return L"VARIANT_BOOL";
    else if constexpr (std::is_same_v<T, float>) return L"float";
    else if constexpr (std::is_same_v<T, ::vlRTFAlignment>) return L"vlRTFAlignment";
    else if constexpr (std::is_same_v<T, ::vlRTFBorderType>) return L"vlRTFBorderType";
    else if constexpr (std::is_same_v<T, ::vlRTFBorderStyle>) return L"vlRTFBorderStyle";
    else if constexpr (std::is_same_v<T, ::vlRTFField>) return L"vlRTFField";
    else if constexpr (std::is_same_v<T, ::vlRTFList>) return L"vlRTFList";
    else if constexpr (std::is_same_v<T, ::vlRTFOrientation>) return L"vlRTFOrientation";
    else if constexpr (std::is_same_v<T, ::vlRTFPictureEmbedding>) return L"vlRTFPictureEmbedding";
    else if constexpr (std::is_same_v<T, ::vlRTFVerticalPosition>) return L"vlRTFVerticalPosition";
    else if constexpr (std::is_same_v<T, ::vlRTFTabAlignment>) return L"vlRTFTabAlignment";
    else if constexpr (std::is_same_v<T, ::vlRTFVerticalAlignment>) return L"vlRTFVerticalAlignment";
    else if constexpr (std::is_same_v<T, ::vlRTFTabLeader>) return L"vlRTFTabLeader";
    else if constexpr (std::is_same_v<T, SAFEARRAY*>) return L"SAFEARRAY(_cCell*)";
    else if constexpr (std::is_same_v<T, VARIANT>) return L"VARIANT";
    else if constexpr (std::is_pointer_v<T> && interfaceName<std::remove_pointer_t<T>> != nullptr)
        return std::wstring(interfaceName<std::remove_pointer_t<T>>) + L"*";
    else if constexpr (std::is_pointer_v<T>) return typeName<std::remove_pointer_t<T>>() + L"*";
    else static_assert(sizeof(T) == 0, "a type the type library does not use");
}

// ---------------------------------------------------------------------------
// Arguments: In<T> converts a variant into what a parameter of type T takes.

HRESULT coerce(const VARIANT* from, VARTYPE type, VARIANT& to) noexcept;
// The interface pointer a variant holds (not AddRef'd); S_OK with nullptr for
// Nothing and for Null, which is how JScript says null.
HRESULT objectOf(const VARIANT* from, IUnknown** object) noexcept;

template <class T, VARTYPE Type>
struct ScalarIn {
    T value{};
    HRESULT set(const VARIANT* v) noexcept {
        VARIANT t;
        HRESULT hr = coerce(v, Type, t);
        if (FAILED(hr)) return hr;
        if constexpr (Type == VT_I4) value = static_cast<T>(V_I4(&t));
        else if constexpr (Type == VT_BOOL) value = V_BOOL(&t);
        else if constexpr (Type == VT_R4) value = V_R4(&t);
        return S_OK;
    }
    T& ref() noexcept { return value; }
};

template <class T>
struct In;
template <>
struct In<LONG> : ScalarIn<LONG, VT_I4> {};
template <>
struct In<VARIANT_BOOL> : ScalarIn<VARIANT_BOOL, VT_BOOL> {};
template <>
struct In<float> : ScalarIn<float, VT_R4> {};
template <>
struct In<::vlRTFAlignment> : ScalarIn<::vlRTFAlignment, VT_I4> {};
template <>
struct In<::vlRTFBorderType> : ScalarIn<::vlRTFBorderType, VT_I4> {};
template <>
struct In<::vlRTFBorderStyle> : ScalarIn<::vlRTFBorderStyle, VT_I4> {};
template <>
struct In<::vlRTFField> : ScalarIn<::vlRTFField, VT_I4> {};
template <>
struct In<::vlRTFList> : ScalarIn<::vlRTFList, VT_I4> {};
template <>
struct In<::vlRTFOrientation> : ScalarIn<::vlRTFOrientation, VT_I4> {};
template <>
struct In<::vlRTFPictureEmbedding> : ScalarIn<::vlRTFPictureEmbedding, VT_I4> {};
template <>
struct In<::vlRTFVerticalPosition> : ScalarIn<::vlRTFVerticalPosition, VT_I4> {};
template <>
struct In<::vlRTFTabAlignment> : ScalarIn<::vlRTFTabAlignment, VT_I4> {};
template <>
struct In<::vlRTFVerticalAlignment> : ScalarIn<::vlRTFVerticalAlignment, VT_I4> {};
template <>
struct In<::vlRTFTabLeader> : ScalarIn<::vlRTFTabLeader, VT_I4> {};

template <>
struct In<BSTR> {
    VARIANT held;
    In() noexcept { VariantInit(&held); }
    In(const In&) = delete;
    ~In() { VariantClear(&held); }
    HRESULT set(const VARIANT* v) noexcept { return coerce(v, VT_BSTR, held); }
    BSTR& ref() noexcept { return V_BSTR(&held); }
};

// An object of one of the library's interfaces; Nothing passes as nullptr,
// any other object that lacks the interface is a type mismatch.
template <class I>
requires std::is_base_of_v<IUnknown, I>
struct In<I*> {
    I* object = nullptr;
    In() = default;
    In(const In&) = delete;
    ~In() {
        if (object) object->Release();
    }
    HRESULT set(const VARIANT* v) noexcept {
        IUnknown* unknown = nullptr;
        HRESULT hr = objectOf(v, &unknown);
        if (FAILED(hr) || !unknown) return hr;
        return unknown->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&object)) == S_OK ? S_OK
                                                                                               : DISP_E_TYPEMISMATCH;
    }
    I*& ref() noexcept { return object; }
};

// Any value, as the caller passed it (the method checks it); the caller's
// variant outlives the call, so it is neither copied nor cleared.
template <>
struct In<VARIANT> {
    VARIANT value;
    In() noexcept { VariantInit(&value); }
    HRESULT set(const VARIANT* v) noexcept {
        value = *v;
        return S_OK;
    }
    VARIANT& ref() noexcept { return value; }
};

// Any array (the method checks its elements): by value, by reference, or
// inside a by-reference variant.
template <>
struct In<SAFEARRAY*> {
    SAFEARRAY* array = nullptr;
    HRESULT set(const VARIANT* v) noexcept {
        v = valueOf(v);
        if (!v || !(V_VT(v) & VT_ARRAY)) return DISP_E_TYPEMISMATCH;
        array = (V_VT(v) & VT_BYREF) ? (V_ARRAYREF(v) ? *V_ARRAYREF(v) : nullptr) : V_ARRAY(v);
        return S_OK;
    }
    SAFEARRAY*& ref() noexcept { return array; }
};

// An [in, out] parameter: a pointer to the converted copy.
template <class T>
requires(!std::is_base_of_v<IUnknown, T> && !std::is_same_v<T, OLECHAR> &&
         !std::is_same_v<T, SAFEARRAY>) struct In<T*> {
    In<T> inner;
    HRESULT set(const VARIANT* v) noexcept { return inner.set(v); }
    T* pass() noexcept { return &inner.ref(); }
};

template <class T>
decltype(auto) pass(In<T>& in) noexcept {
    if constexpr (requires { in.pass(); }) return in.pass();
    else return in.ref();
}

// ---------------------------------------------------------------------------
// Results: Out<T> receives an [out, retval] T* and hands it to the caller's variant.

template <class T, VARTYPE Type>
struct ScalarOut {
    T value{};
    T* ptr() noexcept { return &value; }
    void into(VARIANT* r) noexcept {
        V_VT(r) = Type;
        if constexpr (Type == VT_I4) V_I4(r) = static_cast<LONG>(value);
        else if constexpr (Type == VT_BOOL) V_BOOL(r) = value;
        else if constexpr (Type == VT_R4) V_R4(r) = value;
    }
};

template <class T>
struct Out;
template <>
struct Out<LONG> : ScalarOut<LONG, VT_I4> {};
template <>
struct Out<VARIANT_BOOL> : ScalarOut<VARIANT_BOOL, VT_BOOL> {};
template <>
struct Out<float> : ScalarOut<float, VT_R4> {};
template <>
struct Out<::vlRTFAlignment> : ScalarOut<::vlRTFAlignment, VT_I4> {};
template <>
struct Out<::vlRTFBorderType> : ScalarOut<::vlRTFBorderType, VT_I4> {};
template <>
struct Out<::vlRTFBorderStyle> : ScalarOut<::vlRTFBorderStyle, VT_I4> {};
template <>
struct Out<::vlRTFField> : ScalarOut<::vlRTFField, VT_I4> {};
template <>
struct Out<::vlRTFList> : ScalarOut<::vlRTFList, VT_I4> {};
template <>
struct Out<::vlRTFOrientation> : ScalarOut<::vlRTFOrientation, VT_I4> {};
template <>
struct Out<::vlRTFPictureEmbedding> : ScalarOut<::vlRTFPictureEmbedding, VT_I4> {};
template <>
struct Out<::vlRTFVerticalPosition> : ScalarOut<::vlRTFVerticalPosition, VT_I4> {};
template <>
struct Out<::vlRTFVerticalAlignment> : ScalarOut<::vlRTFVerticalAlignment, VT_I4> {};

template <>
struct Out<BSTR> {
    BSTR value = nullptr;
    Out() = default;
    Out(const Out&) = delete;
    ~Out() { SysFreeString(value); }
    BSTR* ptr() noexcept { return &value; }
    void into(VARIANT* r) noexcept {
        V_VT(r) = VT_BSTR;
        V_BSTR(r) = value;
        value = nullptr;
    }
};

template <class I>
requires std::is_base_of_v<IDispatch, I>
struct Out<I*> {
    I* value = nullptr;
    Out() = default;
    Out(const Out&) = delete;
    ~Out() {
        if (value) value->Release();
    }
    I** ptr() noexcept { return &value; }
    void into(VARIANT* r) noexcept {
        V_VT(r) = VT_DISPATCH;
        V_DISPATCH(r) = value;
        value = nullptr;
    }
};

// ---------------------------------------------------------------------------
// The table.

// One argument as the call resolved it: the variant (never a missing one:
// defaults are filled in before) and its position in DISPPARAMS::rgvarg.
struct Argument {
    const VARIANT* value;
    UINT position;
};

// Converts the arguments, calls the method and stores its result. A failed
// conversion returns its HRESULT with *argErr set and *called false.
using Invoker = HRESULT (*)(void* object, const Argument* args, VARIANT* result, UINT* argErr, bool* called);

struct Member {
    const wchar_t* name;
    DISPID id;
    INVOKEKIND kind;
    unsigned params;            // parameters before the [out, retval] one
    const wchar_t* paramNames;  // space-separated, in order
    unsigned optional;          // how many of the last parameters may be left out ...
    LONG lastDefault;           // ... each then taking this value
    Invoker invoke;
    std::wstring (*signature)();  // parameter types, comma-separated, retval included
};

template <class M>
struct Signature;
template <class C, class... A>
struct Signature<HRESULT (STDMETHODCALLTYPE C::*)(A...)> {
    using Params = std::tuple<A...>;
    static constexpr std::size_t count = sizeof...(A);
};

template <class Impl, auto M, bool Retval>
HRESULT invokeMember(void* object, const Argument* args, VARIANT* result, UINT* argErr, bool* called) {
    using S = Signature<decltype(M)>;
    constexpr std::size_t inputs = S::count - (Retval ? 1 : 0);
    *called = false;
    return [&]<std::size_t... I>(std::index_sequence<I...>)->HRESULT {
        std::tuple<In<std::tuple_element_t<I, typename S::Params>>...> in;
        HRESULT hr = S_OK;
        (void)((SUCCEEDED(hr = std::get<I>(in).set(args[I].value)) || (*argErr = args[I].position, false)) && ...);
        if (FAILED(hr)) return hr;
        *called = true;
        Impl* self = static_cast<Impl*>(object);
        if constexpr (Retval) {
            Out<std::remove_pointer_t<std::tuple_element_t<inputs, typename S::Params>>> out;
            hr = (self->*M)(pass(std::get<I>(in))..., out.ptr());
            if (SUCCEEDED(hr) && result) out.into(result);
            return hr;
        } else {
            return (self->*M)(pass(std::get<I>(in))...);
        }
    }
    (std::make_index_sequence<inputs>{});
}

template <auto M>
std::wstring signatureOf() {
    using S = Signature<decltype(M)>;
    return []<std::size_t... I>(std::index_sequence<I...>) {
        std::wstring out;
        ((out += (I ? L", " : L""), out += typeName<std::tuple_element_t<I, typename S::Params>>()), ...);
        return out;
    }
    (std::make_index_sequence<S::count>{});
}

// Entries of Impl's table.
template <class Impl>
struct Members {
    template <auto M>
    static constexpr Member get(const wchar_t* name, DISPID id) {
        return {name, id, INVOKE_PROPERTYGET, 0, L"", 0, 0, &invokeMember<Impl, M, true>, &signatureOf<M>};
    }
    template <auto M>
    static constexpr Member put(const wchar_t* name, DISPID id) {
        return {name, id, INVOKE_PROPERTYPUT, 1, L"", 0, 0, &invokeMember<Impl, M, false>, &signatureOf<M>};
    }
    template <auto M>
    static constexpr Member putref(const wchar_t* name, DISPID id) {
        return {name, id, INVOKE_PROPERTYPUTREF, 1, L"", 0, 0, &invokeMember<Impl, M, false>, &signatureOf<M>};
    }
    template <auto M>
    static constexpr Member method(const wchar_t* name, DISPID id, const wchar_t* paramNames) {
        return {name,           id, INVOKE_FUNC, Signature<decltype(M)>::count - 1,
                paramNames,     0,  0,           &invokeMember<Impl, M, true>,
                &signatureOf<M>};
    }
    // The last `optional` parameters may be left out, each then taking lastDefault.
    template <auto M>
    static constexpr Member method(const wchar_t* name, DISPID id, const wchar_t* paramNames, LONG lastDefault,
                                   unsigned optional = 1) {
        Member m = method<M>(name, id, paramNames);
        m.optional = optional;
        m.lastDefault = lastDefault;
        return m;
    }
};

using Table = std::span<const Member>;

// The two IDispatch calls that need the table.
HRESULT getIdsOfNames(Table table, LPOLESTR* names, UINT count, DISPID* ids) noexcept;
HRESULT invoke(Table table, void* object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* exception, UINT* argErr) noexcept;

}  // namespace velloran::com
