// An early-bound C++ client: calls through the dual interfaces' vtables with
// the header and identifiers that widl generated from Velloran.idl. From the
// archive's examples folder, with mingw-w64's g++ (of the bitness of the
// server you registered; -static spares its runtime DLLs) or MSVC's cl:
//
//     g++ -static -o hello.exe hello.cpp ..\include\velloran_i.c -I..\include -lole32 -loleaut32 -luuid
//     cl /EHsc /I..\include hello.cpp ..\include\velloran_i.c ole32.lib oleaut32.lib
//     hello.exe out.rtf
#include <windows.h>
#include <ole2.h>

#include <cstdio>

#include "velloran_h.h"

template <class I>
HRESULT create(REFCLSID clsid, REFIID iid, I** out) {
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(out));
}

int main(int argc, char** argv) {
    if (FAILED(CoInitialize(nullptr))) return 1;
    _cDocument* doc = nullptr;
    _cText* run = nullptr;
    _cParagraph* para = nullptr;
    _cPage* page = nullptr;
    int status = 1;
    if (SUCCEEDED(create(CLSID_cDocument, IID__cDocument, &doc)) && SUCCEEDED(create(CLSID_cText, IID__cText, &run)) &&
        SUCCEEDED(create(CLSID_cParagraph, IID__cParagraph, &para)) &&
        SUCCEEDED(create(CLSID_cPage, IID__cPage, &page))) {
        BSTR text = SysAllocString(L"Hello from C++");
        run->put_Text(text);
        SysFreeString(text);
        run->put_Bold(VARIANT_TRUE);
        VARIANT_BOOL ok = VARIANT_FALSE;
        para->InsertText(&run, &ok);
        page->InsertParagraph(&para, &ok);
        doc->InsertPage(&page, &ok);
        wchar_t path[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, argc > 1 ? argv[1] : "hello.rtf", -1, path, MAX_PATH);
        BSTR file = SysAllocString(path);
        HRESULT hr = doc->Save(&file, &ok);
        SysFreeString(file);
        if (SUCCEEDED(hr) && ok == VARIANT_TRUE) {
            std::printf("wrote %ls\n", path);
            status = 0;
        } else {
            std::printf("not saved: 0x%08lX\n", static_cast<unsigned long>(hr));
        }
    } else {
        std::printf("Velloran is not registered\n");
    }
    if (page) page->Release();
    if (para) para->Release();
    if (run) run->Release();
    if (doc) doc->Release();
    CoUninitialize();
    return status;
}
