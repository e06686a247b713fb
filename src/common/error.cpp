#include <velloran/types.hpp>

namespace velloran {

const char* Error::message(int number) noexcept {
    switch (number) {
    case errors::InvalidArgument: return "Invalid procedure call or argument";
    case errors::Overflow: return "Overflow";
    case errors::SubscriptOutOfRange: return "Subscript out of range";
    case errors::BadFileNameOrNumber: return "Bad file name or number";
    case errors::FileNotFound: return "File not found";
    case errors::DiskFull: return "Disk full";
    case errors::PermissionDenied: return "Permission denied";
    case errors::PathFileAccessError: return "Path/File access error";
    case errors::PathNotFound: return "Path not found";
    case errors::ObjectNotSet: return "Object variable or With block variable not set";
    default: return "Application-defined or object-defined error";
    }
}

Error::Error(int number) : std::runtime_error(message(number)), number_(number) {}

Error::Error(int number, const std::string& where)
    : std::runtime_error(std::string(message(number)) + ": " + where), number_(number) {}

}  // namespace velloran
