#include "com/errors.hpp"

#include <new>
#include <stdexcept>

#include <velloran/types.hpp>

#include "com/strings.hpp"

namespace velloran::com {
namespace {

const char* description(int number) noexcept {
    switch (number) {
    case TypeMismatch: return "Type mismatch";
    case OutOfMemory: return "Out of memory";
    case InternalError: return "Internal error";
    default: return Error::message(number);
    }
}

}  // namespace

HRESULT raise(REFIID iid, int number) noexcept {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        try {
            BSTR text = toBstr(description(number));
            create->SetDescription(text);
            SysFreeString(text);
        } catch (...) {
        }
        create->SetSource(const_cast<LPOLESTR>(L"Velloran"));
        create->SetGUID(iid);
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return automationError(number);
}

HRESULT failure(REFIID iid) noexcept {
    try {
        throw;
    } catch (const NullPointer&) {
        SetErrorInfo(0, nullptr);  // no stale description of an earlier error
        return E_POINTER;
    } catch (const Error& e) {
        return raise(iid, e.number());
    } catch (const std::bad_alloc&) {
        return raise(iid, OutOfMemory);
    } catch (const std::length_error&) {
        return raise(iid, OutOfMemory);
    } catch (...) {
        return raise(iid, InternalError);
    }
}

}  // namespace velloran::com
