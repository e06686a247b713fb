// What the shared library exports: the public API, marked VELLORAN_API.
// Everything else is built with hidden visibility.
#pragma once

#if defined(_WIN32)
#define VELLORAN_API
#else
#define VELLORAN_API __attribute__((visibility("default")))
#endif
