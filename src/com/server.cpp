// The in-process server: class factories, the unload test, and the registry
// entries of the classes, their interfaces and the type library, either for
// the whole machine (DllRegisterServer) or for the current user only
// (DllInstall with "user", as "regsvr32 /n /i:user Velloran.dll" calls it).
#include <deque>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "com/classes.hpp"
#include <olectl.h>

#include "com/module.hpp"
#include "velloran_version.h"

namespace velloran::com {
namespace {

// One factory per class for the life of the DLL. Script engines that never
// release a factory (Wine's VBScript and JScript) then hold one pointer to
// it, not one new object per CreateObject. A client that holds a factory
// keeps the DLL loaded through LockServer, so the factories do not count.
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(const ClassInfo& info) noexcept : info_(info) {}
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    const CLSID& clsid() const noexcept { return info_.clsid; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return info_.create(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lockServer(lock != FALSE);
        return S_OK;
    }

private:
    const ClassInfo& info_;
};

ClassFactory* factoryOf(REFCLSID clsid) {
    static std::deque<ClassFactory> factories = [] {
        std::deque<ClassFactory> all;
        for (const ClassInfo& c : classes()) all.emplace_back(c);
        return all;
    }();
    for (ClassFactory& f : factories)
        if (IsEqualCLSID(clsid, f.clsid())) return &f;
    return nullptr;
}

std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

#ifdef _WIN64
constexpr const wchar_t* Platform = L"win64";
#else
constexpr const wchar_t* Platform = L"win32";
#endif
constexpr const wchar_t* TypeLibVersion = VELLORAN_TYPELIB_VERSION_TEXT;
// The type library marshaler of oleaut32, for calls between apartments.
constexpr const wchar_t* OleAutomationProxy = L"{00020424-0000-0000-C000-000000000046}";

// The classes key of the machine or of the current user.
class Classes {
public:
    explicit Classes(bool user) : root_(user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE) {}

    // Set the value (name empty: the key's default value), creating the key.
    LONG set(const std::wstring& key, const wchar_t* name, const std::wstring& value) const {
        HKEY k = nullptr;
        LONG rc = RegCreateKeyExW(root_, path(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                  &k, nullptr);
        if (rc != ERROR_SUCCESS) return rc;
        rc = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
        return rc;
    }
    // Create the key; *created tells whether it was not there before.
    LONG create(const std::wstring& key, bool* created = nullptr) const {
        HKEY k = nullptr;
        DWORD disposition = 0;
        LONG rc = RegCreateKeyExW(root_, path(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                  &k, &disposition);
        if (rc == ERROR_SUCCESS) RegCloseKey(k);
        if (created) *created = rc == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
        return rc;
    }
    // A text value; empty when there is none.
    std::wstring get(const std::wstring& key, const wchar_t* name) const {
        wchar_t text[256] = {};
        DWORD size = sizeof text;
        if (RegGetValueW(root_, path(key).c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
            return {};
        return text;
    }
    // Delete the key and everything below it; a missing key is no error.
    LONG remove(const std::wstring& key) const {
        LONG rc = RegDeleteTreeW(root_, path(key).c_str());
        return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
    }
    // view: 0 for this process's view, or KEY_WOW64_32KEY / KEY_WOW64_64KEY.
    bool exists(const std::wstring& key, REGSAM view = 0) const {
        HKEY k = nullptr;
        if (RegOpenKeyExW(root_, path(key).c_str(), 0, KEY_READ | view, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }
    // Delete the key when no subkey and no value is left in it.
    void removeIfEmpty(const std::wstring& key) const {
        HKEY k = nullptr;
        if (RegOpenKeyExW(root_, path(key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return;
        DWORD subkeys = 0, values = 0;
        LONG rc = RegQueryInfoKeyW(k, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                                   nullptr, nullptr);
        RegCloseKey(k);
        if (rc == ERROR_SUCCESS && subkeys == 0 && values == 0) remove(key);
    }

private:
    // An empty key is the classes key itself.
    static std::wstring path(const std::wstring& key) {
        return key.empty() ? L"Software\\Classes" : L"Software\\Classes\\" + key;
    }
    HKEY root_;
};

// The keys that hold every server's keys, outermost first, each with the
// name it is noted by. A fresh profile lacks them: a registration that
// creates one notes it in the type library's key (shared by the 32-bit and
// the 64-bit server), and the unregistration that removes the type
// library's key removes it again once it is left empty.
struct SharedKey {
    const wchar_t* name;
    const wchar_t* key;
};
constexpr SharedKey SharedKeys[] = {
    {L"Classes", L""}, {L"CLSID", L"CLSID"}, {L"Interface", L"Interface"}, {L"TypeLib", L"TypeLib"}};
constexpr const wchar_t* CreatedKeysValue = L"CreatedKeys";

bool listed(const std::wstring& list, const wchar_t* name) {
    return (L" " + list + L" ").find(L" " + std::wstring(name) + L" ") != std::wstring::npos;
}

HRESULT unregister(bool user) {
    const Classes reg(user);
    const std::wstring library = guidText(LIBID_Velloran);
    const std::wstring version = L"TypeLib\\" + library + L"\\" + TypeLibVersion;
    const std::wstring createdKeys = reg.get(version, CreatedKeysValue);
    LONG failed = ERROR_SUCCESS;
    auto check = [&](LONG rc) {
        if (rc != ERROR_SUCCESS && failed == ERROR_SUCCESS) failed = rc;
    };
    // On 64-bit Windows the class keys of the 32-bit and the 64-bit server
    // are apart, the ProgIDs shared: a ProgID stays while the other server
    // still has its class registered.
    const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    for (const ClassInfo& c : classes()) {
        const std::wstring clsid = L"CLSID\\" + guidText(c.clsid);
        check(reg.remove(clsid));
        check(reg.remove(L"Interface\\" + guidText(c.iid)));
        for (const InterfaceRef& older : c.older) check(reg.remove(L"Interface\\" + guidText(*older.iid)));
        if (!reg.exists(clsid + L"\\InprocServer32", otherView)) check(reg.remove(std::wstring(L"Velloran.") + c.name));
    }
    // The type library's key is shared by the 32-bit and the 64-bit server:
    // only this platform's entry goes, and the rest once nothing is left in it.
    check(reg.remove(version + L"\\0\\" + Platform));
    reg.removeIfEmpty(version + L"\\0");
    if (!reg.exists(version + L"\\0")) check(reg.remove(version));
    reg.removeIfEmpty(L"TypeLib\\" + library);
    if (!reg.exists(version))
        for (auto k = std::rbegin(SharedKeys); k != std::rend(SharedKeys); ++k)
            if (listed(createdKeys, k->name)) reg.removeIfEmpty(k->key);
    return failed == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(failed);
}

HRESULT registerServer(bool user) {
    const std::wstring path = modulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    // Refuse to register a DLL whose type library does not load.
    ITypeLib* lib = nullptr;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib))) return SELFREG_E_TYPELIB;
    lib->Release();

    const Classes reg(user);
    const std::wstring library = guidText(LIBID_Velloran);
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    const std::wstring version = L"TypeLib\\" + library + L"\\" + TypeLibVersion;
    LONG rc = ERROR_SUCCESS;
    auto set = [&](const std::wstring& key, const wchar_t* name, const std::wstring& value) {
        if (rc == ERROR_SUCCESS) rc = reg.set(key, name, value);
    };
    std::wstring createdKeys = reg.get(version, CreatedKeysValue);
    const std::wstring noted = createdKeys;
    for (const SharedKey& k : SharedKeys) {
        bool created = false;
        if (rc == ERROR_SUCCESS) rc = reg.create(k.key, &created);
        if (created && !listed(createdKeys, k.name))
            createdKeys += (createdKeys.empty() ? L"" : L" ") + std::wstring(k.name);
    }
    if (createdKeys != noted) set(version, CreatedKeysValue, createdKeys);
    for (const ClassInfo& c : classes()) {
        const std::wstring progId = std::wstring(L"Velloran.") + c.name;
        const std::wstring clsid = L"CLSID\\" + guidText(c.clsid);
        set(progId, nullptr, c.name);
        set(progId + L"\\CLSID", nullptr, guidText(c.clsid));
        set(clsid, nullptr, progId);
        set(clsid + L"\\ProgID", nullptr, progId);
        set(clsid + L"\\InprocServer32", nullptr, path);
        set(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
        set(clsid + L"\\TypeLib", nullptr, library);
        set(clsid + L"\\Version", nullptr, TypeLibVersion);
        if (rc == ERROR_SUCCESS) rc = reg.create(clsid + L"\\Programmable");
        // Every interface of the class, the ones its interface extends too.
        std::vector<InterfaceRef> chain{{&c.iid, c.interfaceName}};
        chain.insert(chain.end(), c.older.begin(), c.older.end());
        for (auto [iid, name] : chain) {
            const std::wstring iface = L"Interface\\" + guidText(*iid);
            set(iface, nullptr, name);
            set(iface + L"\\ProxyStubClsid", nullptr, OleAutomationProxy);
            set(iface + L"\\ProxyStubClsid32", nullptr, OleAutomationProxy);
            set(iface + L"\\TypeLib", nullptr, library);
            set(iface + L"\\TypeLib", L"Version", TypeLibVersion);
        }
    }
    set(version, nullptr, L"Velloran: writes Rich Text Format documents");
    set(version + L"\\0\\" + Platform, nullptr, path);
    set(version + L"\\FLAGS", nullptr, L"0");
    set(version + L"\\HELPDIR", nullptr, folder);
    if (rc != ERROR_SUCCESS) {
        unregister(user);
        return rc == ERROR_ACCESS_DENIED ? E_ACCESSDENIED : SELFREG_E_CLASS;
    }
    return S_OK;
}

bool forUser(LPCWSTR commandLine, bool& valid) {
    valid = true;
    if (!commandLine || !*commandLine) return false;
    if (_wcsicmp(commandLine, L"user") == 0) return true;
    if (_wcsicmp(commandLine, L"machine") == 0) return false;
    valid = false;
    return false;
}

}  // namespace
}  // namespace velloran::com

using namespace velloran::com;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        setModule(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ClassFactory* factory = nullptr;
    try {
        factory = factoryOf(clsid);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    return factory ? factory->QueryInterface(iid, out) : CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    if (!canUnload()) return S_FALSE;
    releaseTypeLibrary();
    return S_OK;
}

HRESULT STDAPICALLTYPE DllRegisterServer() { return registerServer(false); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return unregister(false); }

HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    bool valid = true;
    bool user = forUser(commandLine, valid);
    if (!valid) return E_INVALIDARG;
    return install ? registerServer(user) : unregister(user);
}

}  // extern "C"
