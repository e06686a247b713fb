// File helpers on top of the platform seam.
#pragma once

#include <string>

namespace velloran::detail {

// True when the file's length can be read and is not 0; never fails.
bool FileExists(const std::string& path) noexcept;

}  // namespace velloran::detail
