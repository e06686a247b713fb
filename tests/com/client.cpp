// An early-bound client: calls through the vtables of the dual interfaces,
// hands in typed safe arrays, reads the error information, drives IDispatch
// the way C++ callers do, and checks when the DLL may be unloaded.
//
//     velloran_com_client.exe Z:\path\to\Velloran.dll
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The server's identifiers, defined here: the client links nothing of the server.
#include <initguid.h>

#include "velloran_h.h"

#include "report.hpp"

namespace {

using report::check;
using report::hex;

void checkHr(const char* name, HRESULT got, HRESULT expected) {
    check(name, got == expected, "HRESULT " + hex(got) + ", expected " + hex(expected));
}

std::wstring wide(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

std::string narrow(const std::wstring& w) {
    std::string out;
    for (wchar_t c : w) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// Owns one interface pointer.
template <class I>
struct Ptr {
    I* p = nullptr;
    Ptr() = default;
    Ptr(const Ptr&) = delete;
    ~Ptr() { reset(); }
    void reset() {
        if (p) p->Release();
        p = nullptr;
    }
    I** out() {
        reset();
        return &p;
    }
    I* operator->() const { return p; }
};

template <class I>
void create(const CLSID& clsid, Ptr<I>& out) {
    HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(I), reinterpret_cast<void**>(out.out()));
    if (FAILED(hr)) {
        std::printf("FAIL - CoCreateInstance: %s\n", hex(hr).c_str());
        std::exit(1);
    }
}

bool sameObject(IUnknown* a, IUnknown* b) {
    IUnknown *ua = nullptr, *ub = nullptr;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ua));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ub));
    bool same = ua && ua == ub;
    if (ua) ua->Release();
    if (ub) ub->Release();
    return same;
}

std::wstring rtfOf(_cDocument* doc) {
    BSTR text = nullptr;
    doc->Rtf(&text);
    std::wstring out = wide(text);
    SysFreeString(text);
    return out;
}

// The content of a page as a new document writes it.
std::wstring pageContent(_cPage* page) {
    Ptr<_cDocument> doc;
    create(CLSID_cDocument, doc);
    VARIANT_BOOL ok = 0;
    doc->InsertPage(&page, &ok);
    std::wstring rtf = rtfOf(doc.p);
    std::size_t start = rtf.find(L"\\cb2\\cf1 {{");
    if (start == std::wstring::npos || rtf.size() < start + 11 + 3) return L"unexpected: " + rtf;
    return rtf.substr(start + 11, rtf.size() - start - 11 - 3);
}

void errorInfo(std::wstring& source, std::wstring& description) {
    IErrorInfo* info = nullptr;
    source.clear(), description.clear();
    if (GetErrorInfo(0, &info) != S_OK || !info) return;
    BSTR s = nullptr, d = nullptr;
    info->GetSource(&s);
    info->GetDescription(&d);
    source = wide(s), description = wide(d);
    SysFreeString(s);
    SysFreeString(d);
    info->Release();
}

void fieldsAndIdentity() {
    Ptr<_cDocument> doc;
    create(CLSID_cDocument, doc);
    LONG width = 0;
    doc->get_PageWidth(&width);
    check("vtable: a field's default", width == 11906);
    doc->put_PageMarginLeft(-5);
    LONG margin = 0;
    doc->get_PageMarginLeft(&margin);
    check("vtable: a field round trip", margin == -5);
    // Only early-bound callers can store a Boolean other than 0 or -1; the
    // writers that test for True then see no True.
    doc->put_PageNumbersOn(1);
    VARIANT_BOOL on = 0;
    doc->get_PageNumbersOn(&on);
    check("vtable: a Boolean of 1 is kept", on == 1);
    check("vtable: a Boolean of 1 is not True for page numbering",
          rtfOf(doc.p).find(L"\\pgnstarts") == std::wstring::npos);
    doc->put_PageNumbersOn(VARIANT_TRUE);
    check("vtable: True switches page numbering on", rtfOf(doc.p).find(L"\\pgnstarts1") != std::wstring::npos);
    BSTR title = SysAllocString(L"T\x00e4\xD83D\xDE00");
    doc->put_Title(title);
    SysFreeString(title);
    BSTR back = nullptr;
    doc->get_Title(&back);
    check("vtable: a String beyond the basic plane round trips", wide(back) == L"T\x00e4\xD83D\xDE00");
    SysFreeString(back);
    check("vtable: written as Unicode escapes",
          rtfOf(doc.p).find(L"{\\title \\uc1 T\\u228\\'3f\\u-10179\\'3f\\u-8704\\'3f}") != std::wstring::npos);

    BSTR font = SysAllocString(L"Georgia");
    LONG index = -1;
    checkHr("vtable: FontIndex without a CharSet pointer", doc->FontIndex(&font, nullptr, &index), S_OK);
    check("vtable: the first new font is 1", index == 1);
    SysFreeString(font);
    LONG rgb = 0x0000FF, colour = 0;
    doc->ColorIndex(&rgb, &colour);
    check("vtable: ColorIndex of a new colour", colour == 3);

    Ptr<_cParagraph> para;
    create(CLSID_cParagraph, para);
    Ptr<_cBorder> b1, b2;
    para->get_Border(b1.out());
    para->get_Border(b2.out());
    check("vtable: the paragraph's own Border is one object", b1.p && b1.p == b2.p);
    checkHr("vtable: Header assigned by reference", doc->putref_Header(para.p), S_OK);
    Ptr<_cParagraph> header;
    doc->get_Header(header.out());
    check("vtable: Header returns the assigned paragraph", header.p && sameObject(header.p, para.p));
    checkHr("vtable: Header set to null", doc->putref_Header(nullptr), S_OK);
    doc->get_Header(header.out());
    check("vtable: Header reads null", header.p == nullptr);
    checkHr("vtable: a null out pointer", doc->get_PageWidth(nullptr), E_POINTER);
    Ptr<_cText> notBorder;
    create(CLSID_cText, notBorder);
    HRESULT hr = para->putref_Border(reinterpret_cast<_cBorder*>(notBorder.p));
    checkHr("vtable: a cText passed as a cBorder", hr, static_cast<HRESULT>(0x800A000D));
}

#ifdef ___cText2_INTERFACE_DEFINED__
// 1.2's members through the slots of 1.2's interfaces: a run with a field
// and a link, a list item with a footnote.
void slotsOf12() {
    Ptr<_cText> text;
    create(CLSID_cText, text);
    Ptr<_cText2> run;
    checkHr("1.2 slots: cText has _cText2", text->QueryInterface(IID__cText2, reinterpret_cast<void**>(run.out())),
            S_OK);
    if (!run.p) return;
    BSTR s = SysAllocString(L"1");
    run->put_Text(s);
    SysFreeString(s);
    run->put_Field(fPageNumber);
    BSTR link = SysAllocString(L"http://x/");
    run->put_Link(link);
    SysFreeString(link);
    BSTR back = nullptr;
    run->get_Link(&back);
    check("1.2 slots: Link round trips", wide(back) == L"http://x/");
    SysFreeString(back);
    Ptr<_cParagraph> plain;
    create(CLSID_cParagraph, plain);
    Ptr<_cParagraph2> para;
    plain->QueryInterface(IID__cParagraph2, reinterpret_cast<void**>(para.out()));
    if (!para.p) return;
    para->put_ListStyle(lNumber);
    VARIANT_BOOL ok = 0;
    _cText* runAsText = run.p;
    para->InsertText(&runAsText, &ok);
    Ptr<_cParagraph> note;
    create(CLSID_cParagraph, note);
    _cParagraph* noteRef = note.p;
    checkHr("1.2 slots: InsertFootnote", para->InsertFootnote(&noteRef, &ok), S_OK);
    Ptr<_cPage> page;
    create(CLSID_cPage, page);
    _cParagraph* paraRef = para.p;
    page->InsertParagraph(&paraRef, &ok);
    std::wstring content = pageContent(page.p);
    check("1.2 slots: the field inside the link",
          content.find(L"{\\field{\\*\\fldinst {HYPERLINK \"http://x/\"}}{\\fldrslt {\\field{\\*\\fldinst {PAGE }}") !=
              std::wstring::npos,
          narrow(content));
    check("1.2 slots: the footnote and the list item",
          content.find(L"\\footnote") != std::wstring::npos && content.find(L"\\ls2\\ilvl0") != std::wstring::npos,
          narrow(content));
}
#else
void slotsOf12() {}
#endif

void errors() {
    Ptr<_cParagraph> para;
    Ptr<_cPage> page;
    create(CLSID_cParagraph, para);
    create(CLSID_cPage, page);
    para->putref_Border(nullptr);
    VARIANT_BOOL ok = 7;
    HRESULT hr = page->InsertParagraph(&para.p, &ok);
    checkHr("error 91 as HRESULT 0x800A005B", hr, static_cast<HRESULT>(0x800A005B));
    check("a failed call delivers no result", ok == 7);
    std::wstring source, description;
    errorInfo(source, description);
    check("the error information names Velloran", source == L"Velloran", narrow(source));
    check("the error information carries the classic text",
          description == L"Object variable or With block variable not set", narrow(description));
    ISupportErrorInfo* support = nullptr;
    page->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support));
    check("ISupportErrorInfo", support != nullptr);
    if (support) {
        checkHr("the class interface supports error information", support->InterfaceSupportsErrorInfo(IID__cPage),
                S_OK);
        checkHr("other interfaces do not", support->InterfaceSupportsErrorInfo(IID__cDocument), S_FALSE);
        support->Release();
    }
    Ptr<_cDocument> doc;
    create(CLSID_cDocument, doc);
    BSTR path = SysAllocString(L"Q:\\nowhere\\doc.rtf");
    hr = doc->Save(&path, &ok);
    SysFreeString(path);
    checkHr("error 76 from Save", hr, static_cast<HRESULT>(0x800A004C));
    errorInfo(source, description);
    check("with its description", description == L"Path not found", narrow(description));
}

SAFEARRAY* cellArray(VARTYPE type, LONG lower1, ULONG count1, LONG lower2, ULONG count2) {
    SAFEARRAYBOUND bounds[2];
    bounds[0].lLbound = lower1, bounds[0].cElements = count1;  // the columns
    bounds[1].lLbound = lower2, bounds[1].cElements = count2;  // the rows
    return type == VT_VARIANT ? SafeArrayCreate(VT_VARIANT, 2, bounds)
                              : SafeArrayCreateEx(type, 2, bounds, const_cast<IID*>(&IID__cCell));
}

void put(SAFEARRAY* array, LONG column, LONG row, _cCell* cell) {
    LONG index[2] = {column, row};
    VARTYPE type = VT_EMPTY;
    SafeArrayGetVartype(array, &type);
    if (type == VT_VARIANT) {
        VARIANT v;
        V_VT(&v) = VT_DISPATCH;
        V_DISPATCH(&v) = cell;
        SafeArrayPutElement(array, index, &v);
    } else {
        SafeArrayPutElement(array, index, cell);
    }
}

std::wstring wrapped(const wchar_t* text) {
    return std::wstring(L"{\\pard\\plain{\\f0\\fs20 ") + text +
           L"}}\\brdrt\\brdrnone\\brdrb\\brdrnone\\brdrl\\brdrnone\\brdrr\\brdrnone\\ql\\par ";
}

// A cell's last paragraph in a table: ended by the cell, not by a mark.
std::wstring endedByCell(const wchar_t* text) {
    std::wstring p = wrapped(text).insert(12, L"\\intbl");
    return p.substr(0, p.size() - 5);
}

void cellWith(const wchar_t* text, Ptr<_cCell>& cell) {
    create(CLSID_cCell, cell);
    Ptr<_cText> run;
    Ptr<_cParagraph> para;
    create(CLSID_cText, run);
    create(CLSID_cParagraph, para);
    BSTR b = SysAllocString(text);
    run->put_Text(b);
    SysFreeString(b);
    VARIANT_BOOL ok = 0;
    para->InsertText(&run.p, &ok);
    cell->InsertParagraph(&para.p, &ok);
}

void tables() {
    Ptr<_cDocument> doc;  // sets this thread's colour indexes
    create(CLSID_cDocument, doc);
    Ptr<_cCell> a, b;
    cellWith(L"A", a);
    cellWith(L"B", b);
    const std::wstring sides =
        L"\\clbrdrt\\brdrs\\brdrw20 \\clbrdrb\\brdrs\\brdrw20 \\clbrdrl\\brdrs\\brdrw20 \\clbrdrr\\brdrs\\brdrw20 ";
    const std::wstring expected = L"\\trowd\\trgaph0\\trrh0\\trleft0\r\n" + sides + L"\\cellx720\r\n" + sides +
                                  L"\\cellx1440\r\n\\pard\\plain\\intbl" + endedByCell(L"A") +
                                  L"\\cell\r\n\\pard\\plain\\intbl" + endedByCell(L"B") + L"\\cell\\row\r\n\\pard\r\n";
    for (VARTYPE type : {VT_DISPATCH, VT_UNKNOWN, VT_VARIANT}) {
        SAFEARRAY* array = cellArray(type, 1, 2, 1, 1);
        put(array, 1, 1, a.p);
        put(array, 2, 1, b.p);
        Ptr<_cPage> page;
        create(CLSID_cPage, page);
        VARIANT_BOOL ok = 0;
        HRESULT hr = page->InsertTable(&array, &ok);
        std::string name = "a typed array of " + std::string(type == VT_DISPATCH  ? "IDispatch"
                                                             : type == VT_UNKNOWN ? "IUnknown"
                                                                                  : "VARIANT");
        check(name.c_str(), hr == S_OK && ok == VARIANT_TRUE && pageContent(page.p) == expected,
              hex(hr) + " " + narrow(pageContent(page.p)));
        SafeArrayDestroy(array);
    }
    // Lower bounds: 0 and below are never read; above 1 fails with error 9.
    SAFEARRAY* low = cellArray(VT_DISPATCH, -3, 6, 0, 2);
    put(low, 1, 1, a.p);
    put(low, 2, 1, b.p);
    Ptr<_cPage> page;
    create(CLSID_cPage, page);
    VARIANT_BOOL ok = 0;
    HRESULT hr = page->InsertTable(&low, &ok);
    check("lower bounds below 1", hr == S_OK && pageContent(page.p) == expected, hex(hr));
    SafeArrayDestroy(low);
    SAFEARRAY* high = cellArray(VT_DISPATCH, 2, 2, 1, 1);
    put(high, 2, 1, a.p);
    put(high, 3, 1, b.p);
    checkHr("a lower bound above 1", page->InsertTable(&high, &ok), static_cast<HRESULT>(0x800A0009));
    SafeArrayDestroy(high);
    SAFEARRAY* holes = cellArray(VT_DISPATCH, 1, 2, 1, 1);
    put(holes, 1, 1, a.p);
    checkHr("a null cell", page->InsertTable(&holes, &ok), static_cast<HRESULT>(0x800A005B));
    SafeArrayDestroy(holes);
    SAFEARRAYBOUND one = {2, 1};
    SAFEARRAY* numbers = SafeArrayCreate(VT_I4, 1, &one);
    checkHr("an array of numbers", page->InsertTable(&numbers, &ok), static_cast<HRESULT>(0x800A000D));
    SafeArrayDestroy(numbers);
    SAFEARRAY* none = nullptr;
    checkHr("no array at all", page->InsertTable(&none, &ok), static_cast<HRESULT>(0x800A0009));
    checkHr("a null pointer", page->InsertTable(nullptr, &ok), E_POINTER);
    check("failures leave the page unchanged", pageContent(page.p) == expected);
}

// IDispatch as a C++ caller uses it: typed arguments, named arguments, by-reference variants.
void dispatch() {
    Ptr<_cDocument> doc;
    create(CLSID_cDocument, doc);
    IDispatch* d = doc.p;
    LPOLESTR names[3] = {const_cast<LPOLESTR>(L"fontindex"), const_cast<LPOLESTR>(L"CHARSET"),
                         const_cast<LPOLESTR>(L"FontName")};
    DISPID ids[3] = {};
    checkHr("GetIDsOfNames of a method and its parameters", d->GetIDsOfNames(IID_NULL, names, 3, 0, ids), S_OK);
    check("dispatch identifier of FontIndex", ids[0] == 0x60030007);
    check("parameter identifiers", ids[1] == 1 && ids[2] == 0);
    LPOLESTR bad[1] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID badId = 0;
    checkHr("an unknown name", d->GetIDsOfNames(IID_NULL, bad, 1, 0, &badId), DISP_E_UNKNOWNNAME);
    check("is DISPID_UNKNOWN", badId == DISPID_UNKNOWN);

    // FontIndex(CharSet:=161, FontName:="Georgia"): named arguments come first in rgvarg.
    VARIANT args[2];
    V_VT(&args[0]) = VT_I4, V_I4(&args[0]) = 161;
    V_VT(&args[1]) = VT_BSTR, V_BSTR(&args[1]) = SysAllocString(L"Georgia");
    DISPID named[2] = {1, 0};
    DISPPARAMS params = {args, named, 2, 2};
    VARIANT result;
    VariantInit(&result);
    checkHr("Invoke with named arguments",
            d->Invoke(0x60030007, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    check("returns a Long", V_VT(&result) == VT_I4 && V_I4(&result) == 1);
    check("the named CharSet was taken",
          rtfOf(doc.p).find(L"{\\f1\\fnil\\fcharset161\\fprq2 Georgia;}") != std::wstring::npos);
    VariantClear(&args[1]);

    // ColorIndex with a by-reference variant that holds a by-reference Integer.
    SHORT value = 255;
    VARIANT inner, outer;
    V_VT(&inner) = VT_I2 | VT_BYREF, V_I2REF(&inner) = &value;
    V_VT(&outer) = VT_VARIANT | VT_BYREF, V_VARIANTREF(&outer) = &inner;
    DISPPARAMS one = {&outer, nullptr, 1, 0};
    checkHr("Invoke with VT_BYREF|VT_VARIANT",
            d->Invoke(0x60030008, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &one, &result, nullptr, nullptr),
            S_OK);
    check("and the value it refers to", V_VT(&result) == VT_I4 && V_I4(&result) == 3 && value == 255);

    // A property put takes the named argument DISPID_PROPERTYPUT.
    VARIANT width;
    V_VT(&width) = VT_R8, V_R8(&width) = 1000.4;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS putParams = {&width, &put, 1, 1};
    checkHr("Invoke PROPERTYPUT",
            d->Invoke(0x40030004, IID_NULL, 0, DISPATCH_PROPERTYPUT, &putParams, nullptr, nullptr, nullptr), S_OK);
    LONG w = 0;
    doc->get_PageWidth(&w);
    check("a Double converted to the Long field", w == 1000);

    UINT argErr = 99;
    V_VT(&width) = VT_BSTR, V_BSTR(&width) = SysAllocString(L"wide");
    checkHr("a string that is no number",
            d->Invoke(0x40030004, IID_NULL, 0, DISPATCH_PROPERTYPUT, &putParams, nullptr, nullptr, &argErr),
            DISP_E_TYPEMISMATCH);
    check("names the argument", argErr == 0);
    VariantClear(&width);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    checkHr("an unknown dispatch identifier",
            d->Invoke(0x12345, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
    checkHr("a put of a read-only member",
            d->Invoke(0x68030000, IID_NULL, 0, DISPATCH_PROPERTYPUT, &putParams, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
    checkHr("a method without its argument",
            d->Invoke(0x60030008, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
    checkHr("no parameters at all",
            d->Invoke(0x60030004, IID_NULL, 0, DISPATCH_METHOD, nullptr, &result, nullptr, nullptr), E_INVALIDARG);
    checkHr("an interface identifier other than IID_NULL",
            d->Invoke(0x60030004, IID_IDispatch, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
    VARIANT missing;
    V_VT(&missing) = VT_ERROR, V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    DISPPARAMS skipped = {&missing, nullptr, 1, 0};
    checkHr("a required argument left out",
            d->Invoke(0x60030008, IID_NULL, 0, DISPATCH_METHOD, &skipped, &result, nullptr, nullptr),
            DISP_E_PARAMNOTOPTIONAL);

    // A failure of the method comes back as an exception.
    VARIANT path;
    V_VT(&path) = VT_BSTR, V_BSTR(&path) = SysAllocString(L"Q:\\nowhere\\doc.rtf");
    DISPPARAMS saveParams = {&path, nullptr, 1, 0};
    EXCEPINFO exception = {};
    checkHr("a failing method through Invoke",
            d->Invoke(0x60030003, IID_NULL, 0, DISPATCH_METHOD, &saveParams, &result, &exception, nullptr),
            DISP_E_EXCEPTION);
    check("EXCEPINFO carries the automation error", exception.scode == static_cast<HRESULT>(0x800A004C) &&
                                                        wide(exception.bstrSource) == L"Velloran" &&
                                                        wide(exception.bstrDescription) == L"Path not found");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    // Without an EXCEPINFO the failure is still DISP_E_EXCEPTION, its
    // number in the error information.
    checkHr("a failing method without EXCEPINFO",
            d->Invoke(0x60030003, IID_NULL, 0, DISPATCH_METHOD, &saveParams, &result, nullptr, nullptr),
            DISP_E_EXCEPTION);
    std::wstring source, description;
    errorInfo(source, description);
    check("leaves the automation error to the error information",
          source == L"Velloran" && description == L"Path not found");
    VariantClear(&path);
    VariantClear(&result);

    // The result is an [out] parameter: a refused call leaves it Empty,
    // whatever the caller had in it.
    V_VT(&result) = VT_I4, V_I4(&result) = 7;
    checkHr("an unknown member", d->Invoke(0x12345, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
    check("leaves the result Empty", V_VT(&result) == VT_EMPTY);
    V_VT(&result) = VT_I4, V_I4(&result) = 7;
    checkHr("another interface identifier",
            d->Invoke(0x60030004, IID_IDispatch, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
    check("leaves the result Empty too", V_VT(&result) == VT_EMPTY);

    // A date past the calendar's end has no text (the conversion answers E_INVALIDARG).
    VARIANT date;
    V_VT(&date) = VT_DATE, V_DATE(&date) = 1e300;
    DISPPARAMS dateParams = {&date, &put, 1, 1};
    checkHr("a date beyond the calendar for a String",
            d->Invoke(0x40030002, IID_NULL, 0, DISPATCH_PROPERTYPUT, &dateParams, nullptr, nullptr, nullptr),
            DISP_E_TYPEMISMATCH);
    // A by-reference variant that refers to itself holds no value; it must not send Invoke round for ever.
    VARIANT loop;
    V_VT(&loop) = VT_VARIANT | VT_BYREF, V_VARIANTREF(&loop) = &loop;
    DISPPARAMS looped = {&loop, &put, 1, 1};
    checkHr("a by-reference variant that refers to itself",
            d->Invoke(0x40030004, IID_NULL, 0, DISPATCH_PROPERTYPUT, &looped, nullptr, nullptr, nullptr),
            DISP_E_TYPEMISMATCH);
    DISPPARAMS loopedArgument = {&loop, nullptr, 1, 0};
    checkHr("and as a method's argument",
            d->Invoke(0x60030008, IID_NULL, 0, DISPATCH_METHOD, &loopedArgument, &result, nullptr, nullptr),
            DISP_E_TYPEMISMATCH);
}

// The type information an object gives: its interface's under the class's
// name through IDispatch, and the class's own through IProvideClassInfo.
std::wstring typeName(ITypeInfo* info, GUID* guid, TYPEKIND* kind) {
    BSTR name = nullptr;
    info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    std::wstring out = wide(name);
    SysFreeString(name);
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attr))) {
        *guid = attr->guid;
        *kind = attr->typekind;
        info->ReleaseTypeAttr(attr);
    }
    return out;
}

void typeInformation() {
    const struct {
        const CLSID& clsid;
        const IID& iid;
        const wchar_t* name;
    } classes[] = {{CLSID_cLine, IID__cLine, L"cLine"},
                   {CLSID_cRect, IID__cRect, L"cRect"},
                   {CLSID_cDrawingText, IID__cDrawingText, L"cDrawingText"}};
    for (const auto& c : classes) {
        const std::string name = narrow(c.name);
        IDispatch* object = nullptr;
        CoCreateInstance(c.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
        if (!object) {
            check((name + ": created").c_str(), false);
            continue;
        }
        ITypeInfo* info = nullptr;
        GUID guid = GUID_NULL;
        TYPEKIND kind = TKIND_MAX;
        checkHr((name + ": GetTypeInfo").c_str(), object->GetTypeInfo(0, 0, &info), S_OK);
        if (info) {
            std::wstring shown = typeName(info, &guid, &kind);
            check((name + ": the type information is named after the class").c_str(), shown == c.name, narrow(shown));
            check((name + ": and describes its interface").c_str(), IsEqualGUID(guid, c.iid) && kind == TKIND_DISPATCH);
            FUNCDESC* first = nullptr;
            check((name + ": with the interface's members").c_str(), SUCCEEDED(info->GetFuncDesc(0, &first)));
            if (first) info->ReleaseFuncDesc(first);
            info->Release();
        }
        IProvideClassInfo* provide = nullptr;
        checkHr((name + ": IProvideClassInfo").c_str(),
                object->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&provide)), S_OK);
        if (provide) {
            info = nullptr;
            checkHr((name + ": GetClassInfo").c_str(), provide->GetClassInfo(&info), S_OK);
            if (info) {
                std::wstring shown = typeName(info, &guid, &kind);
                check((name + ": the class's type information").c_str(),
                      shown == c.name && IsEqualGUID(guid, c.clsid) && kind == TKIND_COCLASS, narrow(shown));
                info->Release();
            }
            checkHr((name + ": GetClassInfo without a pointer").c_str(), provide->GetClassInfo(nullptr), E_POINTER);
            provide->Release();
        }
        object->Release();
    }
}

// The document text with its creation and revision times cut out.
std::wstring timeless(std::wstring rtf) {
    std::size_t from = rtf.find(L"{\\creatim"), to = rtf.find(L"{\\version");
    if (from != std::wstring::npos && to != std::wstring::npos && from < to) rtf.erase(from, to - from);
    return rtf;
}

std::wstring fileText(const std::wstring& path) {
    std::wstring text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"(cannot be read)";
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, buffer + n);
    CloseHandle(file);
    return text;
}

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Names as long as the file system takes (255 characters), beyond MAX_PATH
// with their folder: a new file and an existing one. (Wine's scripting
// runtime cannot delete such files, so the scripts leave them to this test.)
void longNames() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"velloran-long-names";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (std::size_t length : {243u, 255u}) {
        const std::wstring name = std::wstring(length - 4, L'n') + L".rtf";
        const std::string label = "a name of " + std::to_string(length) + " characters";
        BSTR path = SysAllocString((folder + L"\\" + name).c_str());
        Ptr<_cDocument> doc;
        create(CLSID_cDocument, doc);
        VARIANT_BOOL ok = 0;
        checkHr(("Save to " + label).c_str(), doc->Save(&path, &ok), S_OK);
        BSTR title = SysAllocString(L"again");
        doc->put_Title(title);
        SysFreeString(title);
        checkHr(("Save over " + label).c_str(), doc->Save(&path, &ok), S_OK);
        check(("the file with " + label + " holds the text of Rtf").c_str(),
              timeless(fileText(path)) == timeless(rtfOf(doc.p)));
        check(("nothing else is left beside " + label).c_str(), filesIn(folder) == std::vector<std::wstring>{name});
        DeleteFileW(path);
        SysFreeString(path);
    }
    RemoveDirectoryW(folder.c_str());
}

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

void unloading(const wchar_t* dll) {
    HMODULE module = LoadLibraryW(dll);
    check("the DLL loads", module != nullptr);
    if (!module) return;
    auto getClassObject =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    auto canUnloadNow =
        reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    check("the entry points are exported",
          getClassObject && canUnloadNow && GetProcAddress(module, "DllRegisterServer") &&
              GetProcAddress(module, "DllUnregisterServer") && GetProcAddress(module, "DllInstall"));
    if (!getClassObject || !canUnloadNow) return;
    checkHr("DllCanUnloadNow with every object released", canUnloadNow(), S_OK);
    IClassFactory* factory = nullptr;
    checkHr("DllGetClassObject",
            getClassObject(CLSID_cParagraph, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    IClassFactory* unknownClass = nullptr;
    checkHr("DllGetClassObject of another class",
            getClassObject(IID__cParagraph, IID_IClassFactory, reinterpret_cast<void**>(&unknownClass)),
            CLASS_E_CLASSNOTAVAILABLE);
    if (!factory) return;
    // One factory per class, however often a host asks and never releases
    // it (as Wine's script engines do); LockServer is what keeps the DLL.
    IUnknown* again = nullptr;
    getClassObject(CLSID_cParagraph, IID_IUnknown, reinterpret_cast<void**>(&again));
    check("DllGetClassObject hands out the same factory every time", again == factory);
    IClassFactory* other = nullptr;
    getClassObject(CLSID_cText, IID_IClassFactory, reinterpret_cast<void**>(&other));
    check("and another one for another class", other && other != factory);
    checkHr("a factory held does not keep the DLL", canUnloadNow(), S_OK);
    _cParagraph* para = nullptr;
    IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
    void* aggregated = nullptr;
    checkHr("no aggregation", factory->CreateInstance(outer, IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
    checkHr("CreateInstance", factory->CreateInstance(nullptr, IID__cParagraph, reinterpret_cast<void**>(&para)), S_OK);
    factory->LockServer(TRUE);
    factory->Release();
    _cBorder* border = nullptr;
    if (para) para->get_Border(&border);
    if (para) para->Release();
    checkHr("not while an object lives", canUnloadNow(), S_FALSE);
    if (border) border->Release();
    checkHr("not while the server is locked", canUnloadNow(), S_FALSE);
    getClassObject(CLSID_cParagraph, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (factory) {
        factory->LockServer(FALSE);
        factory->Release();
    }
    checkHr("once the last object and lock are gone", canUnloadNow(), S_OK);
    FreeLibrary(module);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: velloran_com_client Velloran.dll\n");
        return 2;
    }
    CoInitialize(nullptr);
    fieldsAndIdentity();
    slotsOf12();
    errors();
    tables();
    dispatch();
    typeInformation();
    longNames();
    CoFreeUnusedLibraries();
    unloading(argv[1]);
    CoUninitialize();
    return report::finish();
}
