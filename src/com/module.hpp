// What the server shares between its objects: the counts that decide whether
// the DLL may be unloaded, the module's own path and its type library.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <string>

#include "velloran_h.h"

namespace velloran::com {

// Every live object counts; so does every LockServer(TRUE). The class
// factories do not: they live as long as the DLL.
void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockServer(bool lock) noexcept;
bool canUnload() noexcept;
// Let go of the cached type library, before the DLL is unloaded.
void releaseTypeLibrary() noexcept;

void setModule(HMODULE module) noexcept;
HMODULE module() noexcept;
// Full path of the DLL (or, linked into a program, of the program).
std::wstring modulePath();

// The type information of one of the library's interfaces, from the type
// library embedded in the DLL; AddRef'd for the caller.
HRESULT typeInfo(REFIID iid, ITypeInfo** info);

}  // namespace velloran::com
