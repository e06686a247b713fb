#include "common/files.hpp"

#include "common/platform.hpp"

namespace velloran::detail {

bool FileExists(const std::string& path) noexcept {
    auto length = platform::fileLength(path);
    return length && *length != 0;
}

}  // namespace velloran::detail
