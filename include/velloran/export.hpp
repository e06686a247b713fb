// What the shared library exports: the public API, marked VELLORAN_API.
// Everything else is built with hidden visibility.
#pragma once

#if defined(_WIN32)
// The DLL's own objects export the API; programs linking the DLL call it
// through its import library, and the static library and the library's own
// programs mark nothing.
#if defined(VELLORAN_BUILDING_DLL)
#define VELLORAN_API __declspec(dllexport)
#else
#define VELLORAN_API
#endif
#else
#define VELLORAN_API __attribute__((visibility("default")))
#endif
