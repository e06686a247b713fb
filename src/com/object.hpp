// The automation object: a reference-counted wrapper that holds its core
// object through a shared pointer and exposes the class's dual interface,
// IDispatch over the class's member table, ISupportErrorInfo and
// IProvideClassInfo.
#pragma once

#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <type_traits>

#include <velloran/types.hpp>

#include "com/classes.hpp"
#include "com/dispatch.hpp"
#include "com/errors.hpp"
#include "com/strings.hpp"

namespace velloran::com {

// Answered only by the library's own objects: how the library finds the
// core object behind an interface pointer a caller hands in.
// {168554E6-B6F5-455A-AA9B-878645B48410}
inline constexpr IID IID_IVelloranObject = {
    0x168554e6, 0xb6f5, 0x455a, {0xaa, 0x9b, 0x87, 0x86, 0x45, 0xb4, 0x84, 0x10}};

struct IVelloranObject : IUnknown {
    // The implementation object when the class's interface is iid, else nullptr.
    virtual void* STDMETHODCALLTYPE implementation(REFIID iid) = 0;
};

// The interface a newer interface of a class extends: each version's new
// members live in an interface of their own that extends the one before,
// whose layout and dispatch identifiers stay as they were. An object answers
// every interface of its chain, with the same pointer.
template <class I>
struct BaseOf {
    using type = I;  // extends none of ours
};
#define VELLORAN_EXTENDS(Newer, Older) \
    template <>                        \
    struct BaseOf<Newer> {             \
        using type = Older;            \
    };
VELLORAN_EXTENDS(_cText2, _cText)
VELLORAN_EXTENDS(_cParagraph2, _cParagraph)
VELLORAN_EXTENDS(_cCell2, _cCell)
VELLORAN_EXTENDS(_cPage2, _cPage)
VELLORAN_EXTENDS(_cPicture2, _cPicture)
VELLORAN_EXTENDS(_cPicture3, _cPicture2)
VELLORAN_EXTENDS(_cText3, _cText2)
VELLORAN_EXTENDS(_cText4, _cText3)
VELLORAN_EXTENDS(_cDocument2, _cDocument)
VELLORAN_EXTENDS(_cDocument3, _cDocument2)
VELLORAN_EXTENDS(_cBorder2, _cBorder)
VELLORAN_EXTENDS(_cPage4, _cPage3)
VELLORAN_EXTENDS(_cCell3, _cCell2)
VELLORAN_EXTENDS(_cPage3, _cPage2)
VELLORAN_EXTENDS(_cParagraph3, _cParagraph2)
VELLORAN_EXTENDS(_cParagraph4, _cParagraph3)
#undef VELLORAN_EXTENDS

template <class I>
inline constexpr bool extendsOne = !std::is_same_v<typename BaseOf<I>::type, I>;

// The 1.0 interface at the root of the chain: what object arguments and
// object-valued fields are typed as.
template <class I>
struct FirstOf {
    using type = I;
};
template <class I>
requires extendsOne<I>
struct FirstOf<I> {
    using type = typename FirstOf<typename BaseOf<I>::type>::type;
};

// Whether iid names I or an interface it extends.
template <class I>
bool inChain(REFIID iid) noexcept {
    if (IsEqualIID(iid, __uuidof(I))) return true;
    if constexpr (extendsOne<I>) return inChain<typename BaseOf<I>::type>(iid);
    else return false;
}

// The core object behind an [in, out] object argument; nullptr for Nothing.
template <class W, class I>
std::shared_ptr<typename W::CoreType> coreOf(I** argument) {
    if (!argument) throw NullPointer();
    W* object = W::of(*argument);
    return object ? object->shared() : nullptr;
}

template <class Impl, class Interface, class Core>
class Object : public Interface, public ISupportErrorInfo, public IProvideClassInfo, public IVelloranObject {
public:
    using CoreType = Core;
    using InterfaceType = Interface;
    using FirstInterface = typename FirstOf<Interface>::type;

    // Whether iid is one of the class's interfaces.
    static bool ours(REFIID iid) noexcept { return inChain<Interface>(iid); }

    // A new object around a new core object, for the class factory.
    static HRESULT create(REFIID iid, void** out) noexcept {
        if (!out) return E_POINTER;
        *out = nullptr;
        Impl* object = nullptr;
        // guarded turns a failed allocation into the out-of-memory error.
        HRESULT hr = guarded(__uuidof(Interface), [&] {
            object = new Impl(std::make_shared<Core>());  // NOLINT(bugprone-unhandled-exception-at-new)
        });
        if (FAILED(hr)) return hr;
        hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }

    // A new object around an existing core object, holding one reference.
    static Impl* wrap(std::shared_ptr<Core> core) { return new Impl(std::move(core)); }

    // The object behind an interface pointer of this class; nullptr for
    // nullptr, and a type mismatch for an object of another implementation.
    template <class I>
    static Impl* of(I* object) {
        if (!object) return nullptr;
        IVelloranObject* ours = nullptr;
        void* impl = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_IVelloranObject, reinterpret_cast<void**>(&ours))) && ours) {
            impl = ours->implementation(__uuidof(Interface));
            ours->Release();
        }
        if (!impl) throw Error(TypeMismatch);
        return static_cast<Impl*>(impl);
    }

    const std::shared_ptr<Core>& shared() const noexcept { return core_; }
    Core& core() const noexcept { return *core_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || ours(iid))
            *out = static_cast<Interface*>(this);
        else if (IsEqualIID(iid, IID_ISupportErrorInfo)) *out = static_cast<ISupportErrorInfo*>(this);
        else if (IsEqualIID(iid, IID_IProvideClassInfo)) *out = static_cast<IProvideClassInfo*>(this);
        else if (IsEqualIID(iid, IID_IVelloranObject)) *out = static_cast<IVelloranObject*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) delete static_cast<Impl*>(this);
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return interfaceTypeInfo(__uuidof(Interface), info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        return getIdsOfNames(Impl::table(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argErr) override {
        return invoke(Impl::table(), static_cast<Impl*>(this), id, iid, flags, params, result, exception, argErr);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override { return ours(iid) ? S_OK : S_FALSE; }

    // IProvideClassInfo: hosts name the object after its class (TypeName).
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
        return classTypeInfo(__uuidof(Interface), info);
    }

    // IVelloranObject
    void* STDMETHODCALLTYPE implementation(REFIID iid) override {
        return ours(iid) ? static_cast<Impl*>(this) : nullptr;
    }

    explicit Object(std::shared_ptr<Core> core) noexcept : core_(std::move(core)) { objectCreated(); }

protected:
    virtual ~Object() { objectDestroyed(); }

    // An insert method: the core's result for the child behind the argument.
    template <class W, class I, class F>
    HRESULT insert(I** child, VARIANT_BOOL* result, F&& f) noexcept {
        if (!result) return E_POINTER;
        return guard([&] { *result = f(coreOf<W>(child)); });
    }

    template <class F>
    HRESULT guard(F&& f) noexcept {
        return guarded(__uuidof(Interface), std::forward<F>(f));
    }

    // Fields: put stores the value unchanged, get returns what was stored.
    HRESULT read(LONG* out, std::int32_t value) noexcept { return out ? (*out = value, S_OK) : E_POINTER; }
    HRESULT read(VARIANT_BOOL* out, Boolean value) noexcept { return out ? (*out = value, S_OK) : E_POINTER; }
    HRESULT read(float* out, float value) noexcept { return out ? (*out = value, S_OK) : E_POINTER; }
    HRESULT read(::vlRTFAlignment* out, velloran::vlRTFAlignment value) noexcept {
        return out ? (*out = static_cast<::vlRTFAlignment>(value), S_OK) : E_POINTER;
    }
    HRESULT read(::vlRTFBorderType* out, velloran::vlRTFBorderType value) noexcept {
        return out ? (*out = static_cast<::vlRTFBorderType>(value), S_OK) : E_POINTER;
    }
    HRESULT read(BSTR* out, const std::string& value) noexcept {
        if (!out) return E_POINTER;
        *out = nullptr;
        return guard([&] { *out = toBstr(value); });
    }
    // The enumerations of the library and of the type library are the same numbers.
    template <class Out, class In>
    requires std::is_enum_v<Out> && std::is_enum_v<In> HRESULT read(Out* out, In value)
    noexcept { return out ? (*out = static_cast<Out>(value), S_OK) : E_POINTER; }
    template <class Field, class In>
    requires std::is_enum_v<Field> && std::is_enum_v<In>
    static HRESULT write(Field& field, In value) noexcept { return field = static_cast<Field>(value), S_OK; }
    static HRESULT write(std::int32_t& field, LONG value) noexcept { return field = value, S_OK; }
    static HRESULT write(Boolean& field, VARIANT_BOOL value) noexcept { return field = value, S_OK; }
    static HRESULT write(float& field, float value) noexcept { return field = value, S_OK; }
    static HRESULT write(velloran::vlRTFAlignment& field, ::vlRTFAlignment value) noexcept {
        return field = static_cast<velloran::vlRTFAlignment>(value), S_OK;
    }
    static HRESULT write(velloran::vlRTFBorderType& field, ::vlRTFBorderType value) noexcept {
        return field = static_cast<velloran::vlRTFBorderType>(value), S_OK;
    }
    HRESULT write(std::string& field, BSTR value) noexcept {
        return guard([&] { field = toUtf8(value); });
    }

private:
    std::atomic<ULONG> references_{1};
    std::shared_ptr<Core> core_;
};

// A value from the automation side as a core's setter takes it: text as
// UTF-8, the rest as it is.
inline std::string fromCom(BSTR value) { return toUtf8(value); }
template <class T>
T fromCom(T value) noexcept {
    return value;
}

// The automation object that stands for the object in an object-valued field
// of a core object. It keeps the identity callers expect: reading the field
// returns the very object last assigned, and the same object on every read.
template <class W>
class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() { reset(); }

    template <class I>
    void get(const std::shared_ptr<typename W::CoreType>& field, I** out) {
        if (!out) throw NullPointer();
        *out = nullptr;
        if (!field) {
            reset();
            return;
        }
        if (!wrapper_ || wrapper_->shared() != field) {
            W* fresh = W::wrap(field);
            reset();
            wrapper_ = fresh;
        }
        wrapper_->AddRef();
        *out = static_cast<I*>(wrapper_);
    }

    template <class I>
    void set(std::shared_ptr<typename W::CoreType>& field, I* value) {
        W* object = W::of(value);
        if (object) object->AddRef();
        reset();
        wrapper_ = object;
        field = object ? object->shared() : nullptr;
    }

private:
    void reset() noexcept {
        if (wrapper_) wrapper_->Release();
        wrapper_ = nullptr;
    }
    W* wrapper_ = nullptr;
};

}  // namespace velloran::com
