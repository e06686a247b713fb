// Failures as automation errors: number n is HRESULT 0x800A0000 + n, with an
// IErrorInfo whose source is "Velloran" and whose description is the
// classic message of the number.
#pragma once

#include "com/module.hpp"

namespace velloran::com {

inline constexpr int TypeMismatch = 13;
inline constexpr int OutOfMemory = 7;
inline constexpr int InternalError = 51;

inline constexpr HRESULT automationError(int number) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number); }

// Thrown for a null pointer where the caller must pass one: E_POINTER.
struct NullPointer {};

// Set the thread's error information and return the HRESULT of the number.
HRESULT raise(REFIID iid, int number) noexcept;

// The HRESULT of the exception being handled; call only inside a catch block.
HRESULT failure(REFIID iid) noexcept;

// Run f, turning what it throws into an automation error.
template <class F>
HRESULT guarded(REFIID iid, F&& f) noexcept {
    try {
        f();
        return S_OK;
    } catch (...) {
        return failure(iid);
    }
}

}  // namespace velloran::com
