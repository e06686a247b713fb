// A host that uses Velloran.dll from its own folder without registration:
// its embedded application manifest depends on the assembly Velloran, whose
// manifest (Velloran.manifest beside the DLL) names the classes. It creates
// a cDocument by ProgID and by class identifier and saves a document.
//
//     regfree_host.exe Z:\path\out.rtf      prints ok/FAIL lines, then END
#include <windows.h>
#include <ole2.h>

#include <cstdio>

#include <initguid.h>

#include "velloran_h.h"

namespace {

int failed = 0;

void check(const char* name, bool ok, HRESULT hr = S_OK) {
    if (!ok) ++failed;
    std::printf("%s - %s", ok ? "ok" : "FAIL", name);
    if (!ok) std::printf(" (0x%08lX)", static_cast<unsigned long>(hr));
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    // Under an activation context the ProgID may give an alias of the class
    // identifier (Wine's does), so what counts is the object it creates.
    CLSID byName{};
    HRESULT hr = CLSIDFromProgID(L"Velloran.cDocument", &byName);
    check("the ProgID is known", SUCCEEDED(hr), hr);
    IUnknown* viaProgId = nullptr;
    hr = CoCreateInstance(byName, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&viaProgId));
    _cDocument* asDocument = nullptr;
    if (viaProgId) viaProgId->QueryInterface(IID__cDocument, reinterpret_cast<void**>(&asDocument));
    check("a cDocument by ProgID", SUCCEEDED(hr) && asDocument, hr);
    if (asDocument) asDocument->Release();
    if (viaProgId) viaProgId->Release();

    _cDocument* doc = nullptr;
    _cText* run = nullptr;
    _cParagraph* para = nullptr;
    _cPage* page = nullptr;
    hr = CoCreateInstance(CLSID_cDocument, nullptr, CLSCTX_INPROC_SERVER, IID__cDocument,
                          reinterpret_cast<void**>(&doc));
    check("a cDocument by class identifier", SUCCEEDED(hr) && doc, hr);
    hr = CoCreateInstance(CLSID_cText, nullptr, CLSCTX_INPROC_SERVER, IID__cText, reinterpret_cast<void**>(&run));
    check("a cText", SUCCEEDED(hr) && run, hr);
    hr = CoCreateInstance(CLSID_cParagraph, nullptr, CLSCTX_INPROC_SERVER, IID__cParagraph,
                          reinterpret_cast<void**>(&para));
    check("a cParagraph", SUCCEEDED(hr) && para, hr);
    hr = CoCreateInstance(CLSID_cPage, nullptr, CLSCTX_INPROC_SERVER, IID__cPage, reinterpret_cast<void**>(&page));
    check("a cPage", SUCCEEDED(hr) && page, hr);
    if (doc && run && para && page && argc > 1) {
        BSTR text = SysAllocString(L"Written without registration");
        run->put_Text(text);
        SysFreeString(text);
        VARIANT_BOOL ok = VARIANT_FALSE;
        para->InsertText(&run, &ok);
        page->InsertParagraph(&para, &ok);
        doc->InsertPage(&page, &ok);
        wchar_t path[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
        BSTR file = SysAllocString(path);
        hr = doc->Save(&file, &ok);
        SysFreeString(file);
        check("the document is saved", SUCCEEDED(hr) && ok == VARIANT_TRUE, hr);
    }
    if (page) page->Release();
    if (para) para->Release();
    if (run) run->Release();
    if (doc) doc->Release();
    CoUninitialize();
    std::printf("END\n");
    return failed ? 1 : 0;
}
