// The type information the objects hand out: their class's (the coclass,
// for IProvideClassInfo), and their interface's under the class's name (for
// IDispatch::GetTypeInfo). Hosts show the name of the latter as the type of
// the object: Wine's VBScript reads its TypeName there, and "_cDocument"
// is an interface no script names.
#include "com/classes.hpp"

#include <new>

namespace velloran::com {
namespace {

const ClassInfo* classOf(REFIID iid) noexcept {
    for (const ClassInfo& c : classes()) {
        if (IsEqualIID(c.iid, iid)) return &c;
        for (const InterfaceRef& older : c.older)
            if (IsEqualIID(*older.iid, iid)) return &c;
    }
    return nullptr;
}

// The interface's type information, every call passed on, the name aside.
// It counts as a live object: its code must stay loaded while a host holds it.
class ClassNamed final : public ITypeInfo {
public:
    ClassNamed(ITypeInfo* inner, const wchar_t* name) noexcept : inner_(inner), name_(name) { objectCreated(); }
    ClassNamed(const ClassNamed&) = delete;
    ClassNamed& operator=(const ClassNamed&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ITypeInfo)) {
            *out = static_cast<ITypeInfo*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* context,
                                               BSTR* helpFile) override {
        if (id != MEMBERID_NIL || !name) return inner_->GetDocumentation(id, name, doc, context, helpFile);
        *name = nullptr;
        BSTR own = SysAllocString(name_);
        if (!own) return E_OUTOFMEMORY;
        HRESULT hr = inner_->GetDocumentation(id, nullptr, doc, context, helpFile);
        if (SUCCEEDED(hr)) *name = own;
        else SysFreeString(own);
        return hr;
    }

    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** attr) override { return inner_->GetTypeAttr(attr); }
    HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** comp) override { return inner_->GetTypeComp(comp); }
    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** desc) override {
        return inner_->GetFuncDesc(index, desc);
    }
    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT index, VARDESC** desc) override {
        return inner_->GetVarDesc(index, desc);
    }
    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID id, BSTR* names, UINT max, UINT* count) override {
        return inner_->GetNames(id, names, max, count);
    }
    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT index, HREFTYPE* ref) override {
        return inner_->GetRefTypeOfImplType(index, ref);
    }
    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT index, INT* flags) override {
        return inner_->GetImplTypeFlags(index, flags);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override {
        return inner_->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(PVOID instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argErr) override {
        return inner_->Invoke(instance, id, flags, params, result, exception, argErr);
    }
    HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID id, INVOKEKIND kind, BSTR* dll, BSTR* name, WORD* ordinal) override {
        return inner_->GetDllEntry(id, kind, dll, name, ordinal);
    }
    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) override {
        return inner_->GetRefTypeInfo(ref, info);
    }
    HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID id, INVOKEKIND kind, PVOID* address) override {
        return inner_->AddressOfMember(id, kind, address);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, PVOID* object) override {
        return inner_->CreateInstance(outer, iid, object);
    }
    HRESULT STDMETHODCALLTYPE GetMops(MEMBERID id, BSTR* mops) override { return inner_->GetMops(id, mops); }
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** lib, UINT* index) override {
        return inner_->GetContainingTypeLib(lib, index);
    }
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attr) override { inner_->ReleaseTypeAttr(attr); }
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC* desc) override { inner_->ReleaseFuncDesc(desc); }
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC* desc) override { inner_->ReleaseVarDesc(desc); }

private:
    ~ClassNamed() {
        inner_->Release();
        objectDestroyed();
    }

    ITypeInfo* inner_;
    const wchar_t* name_;
    LONG references_ = 1;
};

}  // namespace

HRESULT classTypeInfo(REFIID iid, ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    const ClassInfo* c = classOf(iid);
    return c ? typeInfo(c->clsid, info) : E_NOINTERFACE;
}

HRESULT interfaceTypeInfo(REFIID iid, ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    const ClassInfo* c = classOf(iid);
    if (!c) return E_NOINTERFACE;
    ITypeInfo* inner = nullptr;
    HRESULT hr = typeInfo(iid, &inner);
    if (FAILED(hr)) return hr;
    *info = new (std::nothrow) ClassNamed(inner, c->name);
    if (*info) return S_OK;
    inner->Release();
    return E_OUTOFMEMORY;
}

}  // namespace velloran::com
