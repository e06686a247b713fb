// The COM face under attack: random calls of every member of every class
// through IDispatch::Invoke, with random argument counts, variant types (by
// value and by reference, arrays, Empty, Null, Nothing, foreign objects),
// named arguments, dispatch identifiers and flags, from a fixed seed.
//
//     velloran_com_attack.exe Velloran.dll [calls [seed]]
//
// It loads the DLL itself (no registration needed) and checks after every
// call: the call returns S_OK or a DISP_E_* error, an exception carries an
// automation error the server documents (6, 9, 13, 91 or a file error 52 to
// 76), the arguments are as they were, a failed call delivers no result.
// At the end, with everything released, no foreign object is still held and
// DllCanUnloadNow gives S_OK. The process must live to print END.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <initguid.h>

#include "velloran_h.h"

#include "report.hpp"

namespace {

using report::check;
using report::hex;

std::mt19937 random;

unsigned below(unsigned n) { return n ? std::uniform_int_distribution<unsigned>(0, n - 1)(random) : 0; }
bool chance(unsigned percent) { return below(100) < percent; }
template <class T>
const T& pick(const std::vector<T>& from) {
    return from[below(static_cast<unsigned>(from.size()))];
}

// ---------------------------------------------------------------------------
// A foreign object: an IDispatch of no library of ours. Its default value
// (what a conversion to a number or a string asks for) is a number, a
// string, or missing. It counts its references, to catch one kept.

class Foreign final : public IDispatch {
public:
    explicit Foreign(int kind) : kind_(kind) {}
    LONG references() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references_); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET) || !result || kind_ == 2)
            return DISP_E_MEMBERNOTFOUND;
        if (kind_ == 0) {
            V_VT(result) = VT_I4;
            V_I4(result) = 42;
        } else {
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = SysAllocString(L"foreign");
        }
        return S_OK;
    }

private:
    int kind_;
    LONG references_ = 1;
};

Foreign foreigners[3] = {Foreign(0), Foreign(1), Foreign(2)};

// ---------------------------------------------------------------------------
// The classes, their members as the type information lists them, and a pool
// of live objects the calls work on.

// A parameter as the type information declares it: a value of type vt, an
// object of one of our classes (cls), or a table of cells (VT_SAFEARRAY).
struct Param {
    VARTYPE vt = VT_I4;
    int cls = -1;
};

struct Member {
    MEMBERID id;
    INVOKEKIND kind;
    std::vector<Param> params;
    std::wstring name;
};

struct Class {
    Class(const char* n, const CLSID& c, const IID& i) : name(n), clsid(c), iid(i) {}
    const char* name;
    const CLSID& clsid;
    const IID& iid;
    IClassFactory* factory = nullptr;
    std::vector<Member> members;
};

Class classes[] = {
    {"cDocument", CLSID_cDocument, IID__cDocument},
    {"cPage", CLSID_cPage, IID__cPage},
    {"cCell", CLSID_cCell, IID__cCell},
    {"cParagraph", CLSID_cParagraph, IID__cParagraph},
    {"cText", CLSID_cText, IID__cText},
    {"cBorder", CLSID_cBorder, IID__cBorder},
    {"cPicture", CLSID_cPicture, IID__cPicture},
    {"cDrawing", CLSID_cDrawing, IID__cDrawing},
    {"cLine", CLSID_cLine, IID__cLine},
    {"cRect", CLSID_cRect, IID__cRect},
    {"cEllipse", CLSID_cEllipse, IID__cEllipse},
    {"cPolyline", CLSID_cPolyline, IID__cPolyline},
    {"cPolygon", CLSID_cPolygon, IID__cPolygon},
    {"cPoint", CLSID_cPoint, IID__cPoint},
    {"cDrawingText", CLSID_cDrawingText, IID__cDrawingText},
};
constexpr unsigned ClassCount = sizeof classes / sizeof classes[0];

struct Slot {
    IDispatch* object = nullptr;
    unsigned cls = 0;
    unsigned callsLeft = 0;  // then a fresh object, so no document grows without end
};
std::vector<Slot> pool(48);

IDispatch* create(unsigned cls) {
    IDispatch* object = nullptr;
    classes[cls].factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object));
    return object;
}

void renew(Slot& slot) {
    if (slot.object) slot.object->Release();
    // Documents, pages, cells and paragraphs hold the others: more of them.
    static const unsigned containers[] = {0, 1, 2, 3};
    slot.cls = chance(40) ? containers[below(4)] : below(ClassCount);
    slot.object = create(slot.cls);
    slot.callsLeft = 20 + below(300);
}

IDispatch* anyObject() {
    const Slot& s = pool[below(static_cast<unsigned>(pool.size()))];
    return s.object;
}

// The class of one of our objects, by IProvideClassInfo; ClassCount for none.
unsigned classOf(IDispatch* object) {
    unsigned found = ClassCount;
    IProvideClassInfo* provide = nullptr;
    if (object->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&provide)) != S_OK) return found;
    ITypeInfo* info = nullptr;
    TYPEATTR* attr = nullptr;
    if (provide->GetClassInfo(&info) == S_OK && info->GetTypeAttr(&attr) == S_OK) {
        for (unsigned k = 0; k < ClassCount; ++k)
            if (IsEqualGUID(attr->guid, classes[k].clsid)) found = k;
        info->ReleaseTypeAttr(attr);
    }
    if (info) info->Release();
    provide->Release();
    return found;
}

// ---------------------------------------------------------------------------
// Arguments. Everything a variant points to lives in the call's storage until
// the call is over.

struct Storage {
    std::deque<VARIANT> values;  // by-reference targets, stable addresses
    std::vector<BSTR> strings;
    std::vector<SAFEARRAY*> arrays;
    std::vector<IDispatch*> objects;
    ~Storage() {
        for (BSTR s : strings) SysFreeString(s);
        for (SAFEARRAY* a : arrays) SafeArrayDestroy(a);
        for (IDispatch* o : objects) o->Release();
    }
    VARIANT& slot() {
        values.emplace_back();
        VariantInit(&values.back());
        return values.back();
    }
};

std::wstring scratch;  // the folder the process works in

std::vector<std::wstring> texts() {
    return {L"",
            L"abc",
            L"True",
            L"false",
            L"12",
            L"-1",
            L"1e10",
            L"2147483648",
            L"-2147483649",
            L"3.5",
            L"&H10",
            L"Arial",
            L"Times New Roman",
            L"\x00e4\x4e2d\xD83D\xDE00",
            L"\xD800",
            L"\xDC00x\xD800",
            std::wstring(L"a\0b", 3),
            L"{\\rtf1}\\par {",
            std::wstring(300, L'x'),
            L"doc.rtf",
            scratch + L"\\doc.rtf",
            scratch,
            scratch + L"\\",
            L"Q:\\nowhere\\x.rtf",
            scratch + L"\\" + std::wstring(251, L'n') + L".rtf",
            scratch + L"\\" + std::wstring(300, L'n') + L".rtf",
            scratch + L"\\p.bmp",
            scratch + L"\\junk.bmp",
            L"NUL"};
}
std::vector<std::wstring> textPool;

BSTR newText(Storage& s) {
    if (chance(3)) return nullptr;  // a null BSTR is the empty string
    const std::wstring& t = pick(textPool);
    BSTR b = SysAllocStringLen(t.data(), static_cast<UINT>(t.size()));
    s.strings.push_back(b);
    return b;
}

double anyDouble() {
    static const std::vector<double> values = {0.0,
                                               -0.0,
                                               1.0,
                                               -1.0,
                                               0.5,
                                               1.5,
                                               2.5,
                                               -2.5,
                                               32767.0,
                                               -32768.0,
                                               2147483647.0,
                                               2147483647.5,
                                               -2147483648.0,
                                               -2147483648.5,
                                               4294967296.0,
                                               1e300,
                                               -1e300,
                                               1e-300,
                                               3.4e38,
                                               3.5e38,
                                               std::numeric_limits<double>::infinity(),
                                               -std::numeric_limits<double>::infinity(),
                                               std::numeric_limits<double>::quiet_NaN()};
    return chance(70) ? pick(values) : std::uniform_real_distribution<double>(-1e6, 1e6)(random);
}

LONGLONG anyInteger() {
    static const std::vector<LONGLONG> values = {0,
                                                 1,
                                                 -1,
                                                 7,
                                                 255,
                                                 256,
                                                 32767,
                                                 -32768,
                                                 65535,
                                                 2147483647,
                                                 -2147483647 - 1,
                                                 4294967295LL,
                                                 0x7FFFFFFFFFFFFFFFLL,
                                                 -0x7FFFFFFFFFFFFFFFLL - 1};
    return chance(70) ? pick(values) : static_cast<LONGLONG>(random()) - 0x80000000LL;
}

// Elements are owned by the array: objects AddRef'd, strings copied.
void fillElement(VARTYPE type, void* element) {
    switch (type) {
    case VT_VARIANT: {
        VARIANT* v = static_cast<VARIANT*>(element);
        unsigned what = below(10);
        if (what < 5) {
            IDispatch* o = chance(90) ? anyObject() : &foreigners[below(3)];
            V_VT(v) = VT_DISPATCH;
            V_DISPATCH(v) = o;
            if (o) o->AddRef();
        } else if (what == 5) {
            V_VT(v) = VT_NULL;
        } else if (what == 6) {
            V_VT(v) = VT_I4;
            V_I4(v) = static_cast<LONG>(anyInteger());
        } else if (what == 7) {
            V_VT(v) = VT_BSTR;
            V_BSTR(v) = SysAllocString(L"cell");
        } else if (what == 8) {
            V_VT(v) = VT_UNKNOWN;
            V_UNKNOWN(v) = anyObject();
            if (V_UNKNOWN(v)) V_UNKNOWN(v)->AddRef();
        }  // else Empty
        break;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        IDispatch* o = chance(85) ? anyObject() : chance(50) ? nullptr : &foreigners[below(3)];
        if (o) o->AddRef();
        *static_cast<IUnknown**>(element) = o;
        break;
    }
    case VT_I4: *static_cast<LONG*>(element) = static_cast<LONG>(anyInteger()); break;
    case VT_BSTR: *static_cast<BSTR*>(element) = SysAllocString(L"text"); break;
    case VT_BOOL: *static_cast<VARIANT_BOOL*>(element) = chance(50) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_R8: *static_cast<double*>(element) = anyDouble(); break;
    default: break;
    }
}

SAFEARRAY* newArray(VARTYPE& type, Storage& s) {
    static const VARTYPE types[] = {VT_VARIANT, VT_VARIANT, VT_VARIANT, VT_DISPATCH, VT_UNKNOWN,
                                    VT_I4,      VT_BSTR,    VT_BOOL,    VT_R8};
    type = types[below(sizeof types / sizeof types[0])];
    UINT dims = chance(70) ? 2 : 1 + below(3);
    SAFEARRAYBOUND bounds[3];
    ULONG total = 1;
    for (UINT d = 0; d < dims; ++d) {
        bounds[d].lLbound = chance(60) ? 0 : static_cast<LONG>(below(5)) - 2;
        bounds[d].cElements = chance(5) ? 0 : 1 + below(chance(5) ? 40 : 4);
        total *= bounds[d].cElements;
    }
    SAFEARRAY* array = SafeArrayCreate(type, dims, bounds);
    if (!array) return nullptr;
    s.arrays.push_back(array);
    if (total == 0 || SafeArrayLock(array) != S_OK) return array;
    auto* base = static_cast<unsigned char*>(array->pvData);
    for (ULONG i = 0; i < total; ++i) fillElement(type, base + i * array->cbElements);
    SafeArrayUnlock(array);
    return array;
}

// One argument, in v. depth limits by-reference variants inside variants.
void makeArgument(VARIANT& v, Storage& s, int depth = 0) {
    VariantInit(&v);
    static const VARTYPE scalars[] = {VT_EMPTY, VT_NULL, VT_I2,      VT_I4,      VT_R4,       VT_R8,       VT_CY,
                                      VT_DATE,  VT_BSTR, VT_BSTR,    VT_BSTR,    VT_DISPATCH, VT_DISPATCH, VT_DISPATCH,
                                      VT_ERROR, VT_BOOL, VT_UNKNOWN, VT_DECIMAL, VT_I1,       VT_UI1,      VT_UI2,
                                      VT_UI4,   VT_I8,   VT_UI8,     VT_INT,     VT_UINT};
    const unsigned form = below(100);
    if (form < 8) {  // an array, by value or by reference
        VARTYPE type = VT_VARIANT;
        SAFEARRAY* array = newArray(type, s);
        if (chance(50)) {
            V_VT(&v) = VT_ARRAY | type;
            V_ARRAY(&v) = array;
        } else {
            VARIANT& target = s.slot();
            V_VT(&target) = VT_EMPTY;
            auto* holder = reinterpret_cast<SAFEARRAY**>(&V_BYREF(&target));
            *holder = chance(10) ? nullptr : array;
            V_VT(&v) = VT_BYREF | VT_ARRAY | type;
            V_ARRAYREF(&v) = holder;
        }
        return;
    }
    if (form < 16 && depth < 3) {  // a variant by reference, as script hosts pass variables
        VARIANT& target = s.slot();
        makeArgument(target, s, depth + 1);
        V_VT(&v) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&v) = &target;
        return;
    }
    if (form < 17) {  // a by-reference variant that refers to itself
        VARIANT& target = s.slot();
        V_VT(&target) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&target) = &target;
        V_VT(&v) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&v) = &target;
        return;
    }
    VARTYPE type = scalars[below(sizeof scalars / sizeof scalars[0])];
    const bool byReference = chance(25);
    VARIANT& value = byReference ? s.slot() : v;
    V_VT(&value) = type;
    switch (type) {
    case VT_I2: V_I2(&value) = static_cast<SHORT>(anyInteger()); break;
    case VT_I4: V_I4(&value) = static_cast<LONG>(anyInteger()); break;
    case VT_R4: V_R4(&value) = static_cast<float>(anyDouble()); break;
    case VT_R8: V_R8(&value) = anyDouble(); break;
    case VT_CY: V_CY(&value).int64 = anyInteger(); break;
    case VT_DATE: V_DATE(&value) = anyDouble(); break;
    case VT_BSTR: V_BSTR(&value) = newText(s); break;
    case VT_DISPATCH:
        V_DISPATCH(&value) = chance(15) ? nullptr : chance(85) ? anyObject() : &foreigners[below(3)];
        break;
    case VT_UNKNOWN: V_UNKNOWN(&value) = chance(15) ? nullptr : chance(85) ? anyObject() : &foreigners[below(3)]; break;
    case VT_ERROR: V_ERROR(&value) = chance(60) ? DISP_E_PARAMNOTFOUND : static_cast<SCODE>(random()); break;
    case VT_BOOL: V_BOOL(&value) = chance(80) ? (chance(50) ? VARIANT_TRUE : VARIANT_FALSE) : 5; break;
    case VT_DECIMAL: {
        DECIMAL d = {};
        d.scale = static_cast<BYTE>(below(29));
        d.sign = chance(50) ? DECIMAL_NEG : 0;
        d.Hi32 = chance(20) ? static_cast<ULONG>(random()) : 0;
        d.Lo64 = static_cast<ULONGLONG>(anyInteger());
        V_DECIMAL(&value) = d;
        V_VT(&value) = VT_DECIMAL;  // the decimal overlays the type
        break;
    }
    case VT_I1: V_I1(&value) = static_cast<CHAR>(anyInteger()); break;
    case VT_UI1: V_UI1(&value) = static_cast<BYTE>(anyInteger()); break;
    case VT_UI2: V_UI2(&value) = static_cast<USHORT>(anyInteger()); break;
    case VT_UI4: V_UI4(&value) = static_cast<ULONG>(anyInteger()); break;
    case VT_I8: V_I8(&value) = anyInteger(); break;
    case VT_UI8: V_UI8(&value) = static_cast<ULONGLONG>(anyInteger()); break;
    case VT_INT: V_INT(&value) = static_cast<INT>(anyInteger()); break;
    case VT_UINT: V_UINT(&value) = static_cast<UINT>(anyInteger()); break;
    default: break;
    }
    if (!byReference) return;
    // A by-reference variant points at the value's own field.
    VariantInit(&v);
    V_VT(&v) = VT_BYREF | type;
    V_BYREF(&v) = type == VT_DECIMAL ? static_cast<void*>(&V_DECIMAL(&value)) : static_cast<void*>(&V_I1(&value));
}

// An object of the class: one of the pool's, or a new one for this call.
IDispatch* objectOfClass(int cls, Storage& s) {
    std::vector<IDispatch*> found;
    for (const Slot& slot : pool)
        if (slot.object && static_cast<int>(slot.cls) == cls) found.push_back(slot.object);
    if (!found.empty() && chance(80)) return pick(found);
    IDispatch* fresh = create(static_cast<unsigned>(cls));
    if (fresh) s.objects.push_back(fresh);
    return fresh;
}

// A table of cells as a script builds one: a two-dimensional array of
// VARIANT, from 0 or 1, mostly cells, now and then a hole or something else.
SAFEARRAY* newTable(Storage& s) {
    SAFEARRAYBOUND bounds[2];
    for (SAFEARRAYBOUND& b : bounds) {
        b.lLbound = chance(70) ? 0 : 1;
        b.cElements = 1 + below(6);
    }
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
    if (!array) return nullptr;
    s.arrays.push_back(array);
    for (LONG c = bounds[0].lLbound; c < bounds[0].lLbound + static_cast<LONG>(bounds[0].cElements); ++c) {
        for (LONG r = bounds[1].lLbound; r < bounds[1].lLbound + static_cast<LONG>(bounds[1].cElements); ++r) {
            VARIANT element;
            VariantInit(&element);
            if (chance(95)) {
                V_VT(&element) = VT_DISPATCH;
                V_DISPATCH(&element) = objectOfClass(2, s);
            } else {
                makeArgument(element, s, 3);
            }
            LONG index[2] = {c, r};
            SafeArrayPutElement(array, index, &element);  // a copy, the object AddRef'd
        }
    }
    return array;
}

// An argument of the declared type, by value or (as scripts pass variables)
// inside a by-reference variant.
void makeFitting(VARIANT& v, const Param& p, Storage& s) {
    VARIANT& value = chance(30) ? s.slot() : v;
    VariantInit(&value);
    if (p.cls >= 0) {
        V_VT(&value) = VT_DISPATCH;
        V_DISPATCH(&value) = chance(95) ? objectOfClass(p.cls, s) : nullptr;
    } else if (p.vt == VT_SAFEARRAY) {
        V_VT(&value) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(&value) = newTable(s);
    } else if (p.vt == VT_BSTR) {
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = newText(s);
    } else if (p.vt == VT_BOOL) {
        V_VT(&value) = VT_BOOL;
        V_BOOL(&value) = chance(50) ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (p.vt == VT_R4) {
        V_VT(&value) = VT_R8;
        V_R8(&value) = chance(50) ? below(400) / 100.0 : anyDouble();
    } else {
        V_VT(&value) = VT_I4;
        V_I4(&value) = chance(60) ? static_cast<LONG>(below(40)) - 5 : static_cast<LONG>(anyInteger());
    }
    if (&value == &v) return;
    VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = &value;
}

std::string describe(const VARIANT& v, int depth = 0) {
    char text[64];
    std::snprintf(text, sizeof text, "vt %04X", V_VT(&v));
    std::string out = text;
    if (V_VT(&v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&v) && V_VARIANTREF(&v) != &v && depth < 4)
        out += "->(" + describe(*V_VARIANTREF(&v), depth + 1) + ")";
    return out;
}

// ---------------------------------------------------------------------------
// The calls.

bool documented(int number) {
    return number == 5 || number == 6 || number == 9 || number == 13 || number == 91 || (number >= 52 && number <= 76);
}

struct Tally {
    unsigned long calls = 0, succeeded = 0, exceptions = 0, refused = 0, faults = 0;
    unsigned long numbers[100] = {};  // the automation errors raised, by number
    unsigned long insertsDone = 0;    // Insert* calls that returned True
};

void fault(Tally& tally, const std::string& what) {
    if (++tally.faults <= 20) check(what, false);
}

void attack(unsigned long count) {
    Tally tally;
    const std::vector<WORD> flagSets = {DISPATCH_METHOD,
                                        DISPATCH_PROPERTYGET,
                                        DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                        DISPATCH_PROPERTYPUT,
                                        DISPATCH_PROPERTYPUTREF,
                                        DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
                                        0};
    for (unsigned long call = 0; call < count; ++call) {
        Slot& slot = pool[below(static_cast<unsigned>(pool.size()))];
        if (!slot.object || slot.callsLeft-- == 0) renew(slot);
        if (!slot.object) {
            fault(tally, "a class factory gave no object");
            continue;
        }
        Class& cls = classes[slot.cls];
        // Methods (the insertions, Rtf, Save) more often than their share.
        std::vector<const Member*> methods;
        for (const Member& m : cls.members)
            if (m.kind == INVOKE_FUNC) methods.push_back(&m);
        const Member& member = !methods.empty() && chance(40) ? *pick(methods) : pick(cls.members);

        DISPID id = member.id;
        if (chance(3)) {
            static const std::vector<DISPID> odd = {DISPID_VALUE, DISPID_UNKNOWN, DISPID_NEWENUM, DISPID_PROPERTYPUT,
                                                    0x60030000,   0x40030014,     0x68030001,     0x7FFFFFFF};
            id = chance(70) ? pick(odd) : static_cast<DISPID>(random());
        }
        WORD flags = 0;
        if (chance(70)) {
            flags = member.kind == INVOKE_FUNC ? (chance(50) ? DISPATCH_METHOD : DISPATCH_METHOD | DISPATCH_PROPERTYGET)
                    : member.kind == INVOKE_PROPERTYGET ? DISPATCH_PROPERTYGET
                    : member.kind == INVOKE_PROPERTYPUT ? DISPATCH_PROPERTYPUT
                                                        : DISPATCH_PROPERTYPUTREF;
        } else {
            flags = chance(90) ? pick(flagSets) : static_cast<WORD>(random());
        }
        const bool assignment = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
        const unsigned declared = static_cast<unsigned>(member.params.size());
        unsigned args = chance(75) ? declared : below(6);
        if (assignment && chance(75)) args = 1;

        // Arguments come last to first; half the time each fits its parameter.
        Storage storage;
        std::vector<VARIANT> rgvarg(args + 1);  // one more, so that rgvarg is never null
        for (unsigned i = 0; i < args; ++i) {
            const unsigned position = args - 1 - i;
            if (position < declared && chance(50)) makeFitting(rgvarg[i], member.params[position], storage);
            else makeArgument(rgvarg[i], storage);
        }
        std::vector<DISPID> named;
        if (assignment && args >= 1 && chance(85)) {
            named.push_back(chance(95) ? DISPID_PROPERTYPUT : static_cast<DISPID>(below(3)));
        } else if (!assignment && args > 0 && chance(15)) {
            unsigned n = 1 + below(args);
            for (unsigned k = 0; k < n; ++k) named.push_back(chance(80) ? static_cast<DISPID>(below(args + 1)) : -2);
        }
        DISPPARAMS params = {rgvarg.data(), named.empty() ? nullptr : named.data(), args,
                             static_cast<UINT>(named.size())};
        const std::vector<VARIANT> before(rgvarg.begin(), rgvarg.end());

        VARIANT result;
        VariantInit(&result);
        V_VT(&result) = VT_I4;  // Invoke must start from Empty
        EXCEPINFO exception = {};
        UINT argErr = 0;
        const bool wantResult = chance(90), wantException = chance(90), wantArgErr = chance(90);
        std::string what = std::string(cls.name) + "." + std::string(member.name.begin(), member.name.end()) + " id " +
                           hex(static_cast<unsigned long>(id)) + " flags " + hex(flags) + " with " +
                           std::to_string(args) + " arguments (" + std::to_string(named.size()) + " named)";
        for (unsigned i = 0; i < args; ++i) what += (i ? ", " : ": ") + describe(rgvarg[i]);
        if (std::getenv("VELLORAN_ATTACK_TRACE")) {
            std::printf("# call %lu: %s\n", call, what.c_str());
            std::fflush(stdout);
        }

        HRESULT hr = slot.object->Invoke(id, chance(1) ? IID_IDispatch : IID_NULL, 0, flags, &params,
                                         wantResult ? &result : nullptr, wantException ? &exception : nullptr,
                                         wantArgErr ? &argErr : nullptr);
        ++tally.calls;
        const std::string at = "call " + std::to_string(call) + ", " + what;
        if (hr == S_OK) {
            ++tally.succeeded;
            if (wantResult && V_VT(&result) == VT_BOOL && V_BOOL(&result) == VARIANT_TRUE &&
                member.name.compare(0, 6, L"Insert") == 0)
                ++tally.insertsDone;
        } else if (hr == DISP_E_EXCEPTION) {
            ++tally.exceptions;
            if (wantException) {
                const int number = static_cast<int>(exception.scode) - static_cast<int>(0x800A0000);
                if (number >= 0 && number < 100) ++tally.numbers[number];
                if (!documented(number))
                    fault(tally, "an exception of no documented number: scode " +
                                     hex(static_cast<unsigned long>(exception.scode)) + ", " + at);
                else if (!exception.bstrSource || std::wcscmp(exception.bstrSource, L"Velloran") != 0)
                    fault(tally, "an exception without the source Velloran, " + at);
            }
        } else if ((static_cast<unsigned long>(hr) & 0xFFFF0000UL) == 0x80020000UL &&
                   (static_cast<unsigned long>(hr) & 0xFFFF) >= 1 &&
                   (static_cast<unsigned long>(hr) & 0xFFFF) <= 0x13) {
            ++tally.refused;
        } else {
            fault(tally, "HRESULT " + hex(static_cast<unsigned long>(hr)) + ", " + at);
        }
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);

        if (std::memcmp(before.data(), rgvarg.data(), sizeof(VARIANT) * before.size()) != 0)
            fault(tally, "the arguments were changed, " + at);
        if (wantResult) {
            if (FAILED(hr) && V_VT(&result) != VT_EMPTY)
                fault(tally, "a failed call delivered a result (vt " + std::to_string(V_VT(&result)) + "), " + at);
            // A returned object joins the pool now and then.
            if (V_VT(&result) == VT_DISPATCH && V_DISPATCH(&result) && chance(30)) {
                Slot& into = pool[below(static_cast<unsigned>(pool.size()))];
                IDispatch* object = V_DISPATCH(&result);
                object->AddRef();
                const unsigned found = classOf(object);
                if (found == ClassCount) {
                    object->Release();
                    fault(tally, "a returned object of no class of ours, " + at);
                } else {
                    if (into.object) into.object->Release();
                    into.object = object;
                    into.cls = found;
                    into.callsLeft = 20 + below(300);
                }
            }
            VariantClear(&result);
        }
        if ((call + 1) % 5000 == 0) {
            std::printf("# %lu calls\n", call + 1);
            std::fflush(stdout);
        }
    }
    std::printf("# %lu calls: %lu succeeded, %lu raised an automation error, %lu refused (DISP_E_*), %lu faults\n",
                tally.calls, tally.succeeded, tally.exceptions, tally.refused, tally.faults);
    std::printf("# %lu insertions made; automation errors:", tally.insertsDone);
    for (int n = 0; n < 100; ++n)
        if (tally.numbers[n]) std::printf(" %d (%lu)", n, tally.numbers[n]);
    std::printf("\n");
    check(std::to_string(tally.calls) + " calls: every one returned S_OK or a documented error, arguments untouched",
          tally.faults == 0, std::to_string(tally.faults) + " faults");
}

// ---------------------------------------------------------------------------

Param paramOf(ITypeInfo* info, TYPEDESC t) {
    while (t.vt == VT_PTR) t = *t.lptdesc;
    Param p;
    p.vt = t.vt;
    ITypeInfo* other = nullptr;
    if (t.vt == VT_USERDEFINED && SUCCEEDED(info->GetRefTypeInfo(t.hreftype, &other))) {
        TYPEATTR* attr = nullptr;
        p.vt = VT_I4;  // an enumeration, unless it is one of our interfaces
        if (SUCCEEDED(other->GetTypeAttr(&attr))) {
            for (unsigned k = 0; k < ClassCount; ++k)
                if (IsEqualGUID(attr->guid, classes[k].iid)) p.cls = static_cast<int>(k);
            other->ReleaseTypeAttr(attr);
        }
        other->Release();
    }
    return p;
}

bool membersOf(Class& cls) {
    IDispatch* object = nullptr;
    if (cls.factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)) != S_OK || !object)
        return false;
    ITypeInfo* info = nullptr;
    object->GetTypeInfo(0, 0, &info);
    object->Release();
    if (!info) return false;
    TYPEATTR* attr = nullptr;
    if (info->GetTypeAttr(&attr) != S_OK) {
        info->Release();
        return false;
    }
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (info->GetFuncDesc(i, &f) != S_OK) continue;
        BSTR name = nullptr;
        UINT got = 0;
        info->GetNames(f->memid, &name, 1, &got);
        if (!(f->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            Member m{f->memid, f->invkind, {}, name ? name : L"?"};
            for (SHORT p = 0; p < f->cParams; ++p) m.params.push_back(paramOf(info, f->lprgelemdescParam[p].tdesc));
            cls.members.push_back(m);
        }
        SysFreeString(name);
        info->ReleaseFuncDesc(f);
    }
    info->ReleaseTypeAttr(attr);
    info->Release();
    return !cls.members.empty();
}

void writeFile(const std::wstring& path, const void* data, DWORD size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, data, size, &written, nullptr);
    CloseHandle(file);
}

// Every file the calls saved, and the folder.
void removeScratch() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((scratch + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                std::wstring file = scratch + L"\\" + found.cFileName;
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(file.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetCurrentDirectoryW(L"..");
    RemoveDirectoryW(scratch.c_str());
}

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: velloran_com_attack Velloran.dll [calls [seed]]\n");
        return 2;
    }
    const unsigned long count = argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : 20000;
    const unsigned long seed = argc > 3 ? std::wcstoul(argv[3], nullptr, 10) : 1;
    random.seed(seed);
    std::printf("# %lu calls from seed %lu\n", count, seed);
    CoInitialize(nullptr);

    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    scratch = std::wstring(temp) + L"velloran-attack-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(scratch.c_str(), nullptr);
    SetCurrentDirectoryW(scratch.c_str());
    // A picture that loads (a 1 x 1 BMP) and one that does not.
    const unsigned char bmp[] = {'B', 'M', 58,   0,    0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40,   0,    0,    0, 1,    0,
                                 0,   0,   1,    0,    0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,    0,    0,    0, 0x13, 0x0B,
                                 0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0x40, 0x80, 0xC0, 0};
    writeFile(scratch + L"\\p.bmp", bmp, sizeof bmp);
    writeFile(scratch + L"\\junk.bmp", "junk", 4);
    textPool = texts();

    HMODULE module = LoadLibraryW(argv[1]);
    auto getClassObject =
        module ? reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")))
               : nullptr;
    auto canUnloadNow =
        module ? reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")))
               : nullptr;
    check("the DLL loads with its entry points", getClassObject && canUnloadNow);
    if (!getClassObject || !canUnloadNow) {
        return report::finish();
    }
    std::size_t members = 0;
    bool all = true;
    for (Class& c : classes) {
        getClassObject(c.clsid, IID_IClassFactory, reinterpret_cast<void**>(&c.factory));
        all = all && c.factory && membersOf(c);
        members += c.members.size();
    }
    check("every class with its members from its type information (" + std::to_string(members) + ")", all);
    if (!all) {
        return report::finish();
    }

    attack(count);

    for (Slot& s : pool) {
        if (s.object) s.object->Release();
        s.object = nullptr;
    }
    for (Class& c : classes) c.factory->Release();
    bool foreignReleased = true;
    for (const Foreign& f : foreigners) foreignReleased = foreignReleased && f.references() == 1;
    check("no foreign object is held after everything is released", foreignReleased);
    check("DllCanUnloadNow after everything is released", canUnloadNow() == S_OK);
    removeScratch();
    CoUninitialize();
    return report::finish();
}
