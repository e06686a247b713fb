#include "com/module.hpp"

#include <mutex>

namespace velloran::com {
namespace {

LONG liveObjects = 0;
LONG serverLocks = 0;
HMODULE moduleHandle = nullptr;

std::mutex typeLibraryMutex;
ITypeLib* typeLibrary = nullptr;  // loaded on first use, released when the DLL may unload

}  // namespace

void objectCreated() noexcept { InterlockedIncrement(&liveObjects); }
void objectDestroyed() noexcept { InterlockedDecrement(&liveObjects); }

void lockServer(bool lock) noexcept {
    if (lock) {
        InterlockedIncrement(&serverLocks);
        return;
    }
    // An unlock without its lock (a faulty client) must not keep the DLL
    // loaded for good by driving the count below 0.
    for (LONG now = serverLocks; now > 0; now = serverLocks)
        if (InterlockedCompareExchange(&serverLocks, now - 1, now) == now) return;
}

bool canUnload() noexcept {
    return InterlockedCompareExchange(&liveObjects, 0, 0) == 0 && InterlockedCompareExchange(&serverLocks, 0, 0) == 0;
}

void releaseTypeLibrary() noexcept {
    std::lock_guard<std::mutex> lock(typeLibraryMutex);
    // Type information handed out keeps the library alive on its own.
    if (typeLibrary) typeLibrary->Release();
    typeLibrary = nullptr;
}

void setModule(HMODULE handle) noexcept { moduleHandle = handle; }
HMODULE module() noexcept { return moduleHandle; }

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(moduleHandle, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT typeInfo(REFIID iid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    std::lock_guard<std::mutex> lock(typeLibraryMutex);
    if (!typeLibrary) {
        std::wstring path = modulePath();
        if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
        HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLibrary);
        if (FAILED(hr)) return hr;
    }
    return typeLibrary->GetTypeInfoOfGuid(iid, info);
}

}  // namespace velloran::com
