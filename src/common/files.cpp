#include "common/files.hpp"

#include "common/platform.hpp"

namespace velloran::detail {

bool FileExists(const std::string& path) noexcept {
    auto length = platform::fileLength(path);
    return length && *length != 0;
}

void KillFile(const std::string& path) noexcept { platform::removeFile(path); }

std::string AddBackslash(const std::string& path) {
    if (path.empty() || path.back() == platform::separator()) return path;
    return path + platform::separator();
}

std::string TempPath() { return AddBackslash(platform::tempFolder()); }

std::string TempFileName(std::string& prefix, std::string& folder) {
    if (prefix.empty()) prefix = "~vx";
    if (folder.empty()) folder = TempPath();
    return platform::createTempFile(prefix, folder);
}

TempFile::TempFile() {
    std::string prefix, folder;
    path_ = TempFileName(prefix, folder);
}

TempFile::~TempFile() {
    if (!path_.empty()) KillFile(path_);
}

}  // namespace velloran::detail
