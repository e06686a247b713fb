// The platform seam on Windows. Strings are UTF-8 throughout the core; paths
// are handed to the wide-character file functions, while the temporary
// folder and names come from the ANSI functions and are converted.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define _CRT_RAND_S  // rand_s, random numbers from the system
#include <stdlib.h>
#include <windows.h>

#include <exception>

#include <velloran/types.hpp>

#include "common/platform.hpp"
#include "common/utf8.hpp"

namespace velloran::platform {
namespace {

[[noreturn]] void raiseFileError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND: throw Error(errors::FileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: throw Error(errors::PathNotFound);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: throw Error(errors::PermissionDenied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: throw Error(errors::DiskFull);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: throw Error(errors::BadFileNameOrNumber);
    default: throw Error(errors::PathFileAccessError);
    }
}

std::wstring wide(std::string_view utf8) { return detail::toUtf16<wchar_t>(utf8); }

std::string narrow(const wchar_t* text, std::size_t length) { return detail::fromUtf16(text, length); }

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    HANDLE get() const { return h_; }
    void close() {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(h)) raiseFileError(GetLastError());
    }

private:
    HANDLE h_;
};

void writeAll(HANDLE h, std::string_view data) {
    while (!data.empty()) {
        DWORD chunk = data.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(h, data.data(), chunk, &written, nullptr)) raiseFileError(GetLastError());
        if (written == 0) raiseFileError(ERROR_DISK_FULL);
        data.remove_prefix(written);
    }
}

void writeAll(HANDLE h, const Producer& produce) {
    writeGathered(produce, [&](std::string_view data) { writeAll(h, data); });
}

}  // namespace

LocalTime systemLocalNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
}

std::optional<std::uint64_t> fileLength(const std::string& path) noexcept {
    try {
        if (path.empty()) return std::nullopt;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
        return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    } catch (...) {
        return std::nullopt;
    }
}

void removeFile(const std::string& path) noexcept {
    try {
        if (!path.empty()) DeleteFileW(wide(path).c_str());
    } catch (...) {
    }
}

std::string readFile(const std::string& path) {
    if (path.empty()) throw Error(errors::BadFileNameOrNumber);
    Handle file(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) raiseFileError(GetLastError());
    std::string data;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) raiseFileError(GetLastError());
        if (n == 0) break;
        data.append(buffer, n);
    }
    return data;
}

Written writeFileReplacing(const std::string& path, const Producer& data) {
    if (path.empty() || path.find('\0') != std::string::npos) throw Error(errors::BadFileNameOrNumber);
    std::wstring target = wide(path);
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Error(errors::PathFileAccessError);
    // MoveFileExW would replace a read-only file (and drop the attribute)
    // where the system does not refuse it: refuse it first, writing nothing.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw Error(errors::PermissionDenied);
    bool replaceable = true;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            // Devices ("NUL", "\\.\pipe\...") have no attributes to read: write them in place.
            replaceable = false;
        }
    }
    if (!replaceable) {
        Handle file(
            CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) raiseFileError(GetLastError());
        writeAll(file.get(), data);
        file.close();
        return Written::Device;
    }
    std::size_t slash = target.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    std::wstring temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        // A short name of its own, so that a target name of any length the
        // file system takes leaves room for it.
        unsigned int random = 0;
        if (rand_s(&random) != 0) random = GetTickCount() * 2654435761u + attempt * 40503u + GetCurrentProcessId();
        wchar_t unique[16];
        wsprintfW(unique, L"%08X", random);
        temp = folder + L"~vx" + unique + L".tmp";
        h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) raiseFileError(GetLastError());
    }
    if (h == INVALID_HANDLE_VALUE) raiseFileError(ERROR_FILE_EXISTS);
    struct Cleanup {
        const std::wstring& path;
        bool keep = false;
        ~Cleanup() {
            if (!keep) DeleteFileW(path.c_str());
        }
    } cleanup{temp};
    {
        Handle file(h);
        writeAll(file.get(), data);
        if (!FlushFileBuffers(file.get())) raiseFileError(GetLastError());
        file.close();
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        raiseFileError(GetLastError());
    cleanup.keep = true;
    return Written::File;
}

std::string upperCase(std::string_view utf8) {
    std::wstring w = wide(utf8);
    if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
    return narrow(w.data(), w.size());
}

// Large pages on Windows need a privilege that hosts do not hold: large
// texts take ordinary memory.
char* allocateLargeBlock(std::size_t) noexcept { return nullptr; }

void freeLargeBlock(char*, std::size_t) noexcept {}

void adviseLarge(char*, std::size_t) noexcept {}

}  // namespace velloran::platform
