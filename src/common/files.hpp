// File helpers on top of the platform seam.
#pragma once

#include <string>

namespace velloran::detail {

// True when the file's length can be read and is not 0; never fails.
bool FileExists(const std::string& path) noexcept;
// Delete the file, ignoring every error.
void KillFile(const std::string& path) noexcept;
// The path followed by the folder separator, unless it is empty or already ends with one.
std::string AddBackslash(const std::string& path);
// The user's temporary folder, ending with the separator; empty when there is none.
std::string TempPath();
// Create a new empty temporary file and return its full path (empty on
// failure). An empty prefix becomes "~vx" and an empty folder TempPath();
// the defaults are written back into the arguments.
std::string TempFileName(std::string& prefix, std::string& folder);

// A temporary file of its own, deleted when the guard goes.
class TempFile {
public:
    TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();
    const std::string& path() const noexcept { return path_; }

private:
    std::string path_;
};

}  // namespace velloran::detail
