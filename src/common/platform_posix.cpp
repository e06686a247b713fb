// The platform seam on POSIX systems.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <random>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <locale.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <velloran/types.hpp>

#include "common/platform.hpp"
#include "common/utf8.hpp"

namespace velloran::platform {
namespace {

// The automation file error for an errno value.
[[noreturn]] void raiseFileError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: throw Error(errors::PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: throw Error(errors::PermissionDenied);
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        throw Error(errors::DiskFull);
    case ENAMETOOLONG:
    case EINVAL: throw Error(errors::BadFileNameOrNumber);
    default: throw Error(errors::PathFileAccessError);
    }
}

bool hasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

// Owns a descriptor and, until released, the file it created.
class OpenFile {
public:
    OpenFile(int fd, std::string removeOnFailure) : fd_(fd), path_(std::move(removeOnFailure)) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    // Close, raising the file error a delayed write may report here.
    void close() {
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) raiseFileError(errno);
    }
    void keep() { path_.clear(); }
    const std::string& path() const { return path_; }

private:
    int fd_;
    std::string path_;
};

void writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            raiseFileError(errno);
        }
        if (n == 0) raiseFileError(ENOSPC);
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

void writeAll(int fd, const Producer& produce) {
    writeGathered(produce, [&](std::string_view data) { writeAll(fd, data); });
}

std::string randomHex(std::size_t digits) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    static const char hex[] = "0123456789ABCDEF";
    std::string text;
    std::uint64_t value = generator();
    for (std::size_t i = 0; i < digits; ++i, value >>= 4) text += hex[value & 0xF];
    return text;
}

// Create a new file exclusively; -1 with errno set when that fails for any
// reason other than a name already taken.
int createExclusive(const std::string& stem, const std::string& suffix, mode_t mode, std::string& path,
                    int access = O_WRONLY) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = stem;
        path.append(randomHex(8)).append(suffix);
        int fd = ::open(path.c_str(), access | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

LocalTime systemLocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min};
}

std::optional<std::uint64_t> fileLength(const std::string& path) noexcept {
    struct stat st;
    if (path.empty() || hasNul(path) || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

void removeFile(const std::string& path) noexcept {
    if (!path.empty() && !hasNul(path)) ::unlink(path.c_str());
}

std::string readFile(const std::string& path) {
    if (path.empty() || hasNul(path)) throw Error(errors::BadFileNameOrNumber);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) raiseFileError(errno == ENOENT ? ENOENT : errno);
    OpenFile file(fd, {});
    // Read straight into the string, sized by the file's length where it has one.
    struct stat st;
    std::size_t expected = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : 0;
    std::string data(expected + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == data.size()) data.resize(data.size() * 2 + 65536);
        ssize_t n = ::read(fd, data.data() + used, data.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            raiseFileError(errno);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    data.resize(used);
    return data;
}

namespace {

// What Save may write: a regular file, a character device (a terminal,
// /dev/null) or a pipe that a reader has open. A socket, a block device or a
// folder is refused before anything is opened.
bool writable(const struct stat& st) { return S_ISREG(st.st_mode) || S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode); }

// Writing a pipe whose reader has gone raises SIGPIPE, which would end the
// host: while a guard lives the signal is held back in this thread, and one
// the writing raised is taken back, so the write fails with EPIPE (error 75)
// instead.
class SigpipeHeldBack {
public:
    SigpipeHeldBack() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigemptyset(&pending);
        alreadyPending_ = ::sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
        held_ = ::pthread_sigmask(SIG_BLOCK, &pipe_, &before_) == 0;
    }
    SigpipeHeldBack(const SigpipeHeldBack&) = delete;
    SigpipeHeldBack& operator=(const SigpipeHeldBack&) = delete;
    ~SigpipeHeldBack() {
        if (!held_) return;
        if (!alreadyPending_) {
            const timespec now{0, 0};
            while (::sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
            }
        }
        ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }

private:
    sigset_t pipe_, before_;
    bool alreadyPending_ = false, held_ = false;
};

// A file of its own in the system's temporary folder, which goes with the
// object.
OpenFile temporaryFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string stem = folder && *folder ? folder : "/tmp";
    if (stem.back() != '/') stem += '/';
    std::string path;
    int fd = createExclusive(stem + ".~vx", "", 0600, path, O_RDWR);
    if (fd < 0) raiseFileError(errno);
    return OpenFile(fd, std::move(path));
}

// Copies n bytes from one descriptor's start to the other's.
void copyAll(int from, int to, std::uint64_t n) {
    std::string buffer(std::size_t{1} << 20, '\0');
    for (std::uint64_t at = 0; at < n;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), n - at));
        ssize_t got = ::pread(from, buffer.data(), want, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) raiseFileError(got < 0 ? errno : EIO);
        for (std::size_t done = 0; done < static_cast<std::size_t>(got);) {
            ssize_t put =
                ::pwrite(to, buffer.data() + done, static_cast<std::size_t>(got) - done, static_cast<off_t>(at + done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) raiseFileError(put < 0 ? errno : ENOSPC);
            done += static_cast<std::size_t>(put);
        }
        at += static_cast<std::uint64_t>(got);
    }
}

// A regular file written where it is (it has other names, or its folder
// takes no new file), changed only once nothing can stop the writing half
// way: the document is written whole into a temporary file first, the
// room for its length is taken in the file (and its length checked against
// the limit on a file's size), and then it is copied in.
Written writeRegularInPlace(int fd, const struct stat& st, const Producer& data) {
    OpenFile whole = temporaryFile();
    writeAll(whole.fd(), data);
    struct stat written;
    if (::fstat(whole.fd(), &written) != 0) raiseFileError(errno);
    const auto size = static_cast<std::uint64_t>(written.st_size);
    struct rlimit limit;
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && size > limit.rlim_cur)
        raiseFileError(EFBIG);
    if (size > static_cast<std::uint64_t>(st.st_size)) {
#ifdef FALLOC_FL_KEEP_SIZE
        if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) != 0 && errno != EOPNOTSUPP)
            raiseFileError(errno);
#endif
    }
    copyAll(whole.fd(), fd, size);
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) raiseFileError(errno);
    if (::fsync(fd) != 0 && errno != EINVAL) raiseFileError(errno);
    return Written::File;
}

// Write a file in place: for what cannot be replaced. Opening does not
// wait: a pipe nobody reads is refused at once (error 75) instead of
// waiting for a reader that may never come.
Written writeInPlace(const std::string& path, const Producer& data) {
    int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) raiseFileError(errno);
    OpenFile file(fd, {});
    struct stat st;
    if (::fstat(fd, &st) != 0) raiseFileError(errno);
    if (!writable(st)) throw Error(errors::PathFileAccessError);
    if (S_ISREG(st.st_mode)) {
        writeRegularInPlace(fd, st, data);
        file.close();
        return Written::File;
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) raiseFileError(errno);
    std::optional<SigpipeHeldBack> pipe;
    if (S_ISFIFO(st.st_mode)) pipe.emplace();
    writeAll(fd, data);
    file.close();
    return S_ISREG(st.st_mode) ? Written::File : Written::Device;
}

// Where a path leads through the symbolic links it names: the path itself
// when it names none (or too many in a row).
std::string linkedPath(const std::string& path) {
    std::string at = path;
    for (int links = 0; links < 40; ++links) {
        struct stat st;
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        std::string to(PATH_MAX, '\0');
        ssize_t n = ::readlink(at.c_str(), to.data(), to.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= to.size()) return path;
        to.resize(static_cast<std::size_t>(n));
        if (to.front() != '/') {
            const std::size_t slash = at.rfind('/');
            if (slash != std::string::npos) to.insert(0, at, 0, slash + 1);
        }
        at = std::move(to);
    }
    return path;
}

}  // namespace

Written writeFileReplacing(const std::string& path, const Producer& data) {
    if (path.empty() || hasNul(path)) throw Error(errors::BadFileNameOrNumber);
    std::string target = path;
    struct stat st;
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) raiseFileError(errno);
    // A link to a file that does not exist yet makes that file: the link stays.
    if (!exists) target = linkedPath(path);
    if (exists && !writable(st)) throw Error(errors::PathFileAccessError);
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) raiseFileError(errno);
    // A device cannot be replaced, and replacing a file with other links
    // would part it from them.
    if (exists && (!S_ISREG(st.st_mode) || st.st_nlink > 1)) return writeInPlace(path, data);
    if (exists) {
        // Replace the file a link points to, not the link.
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) target = resolved;
    } else if (path.back() == '/') {
        raiseFileError(ENOENT);
    }
    std::size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // A short name of its own, so that a target name of any length the file
    // system takes leaves room for it.
    std::string temp;
    int fd = createExclusive(folder + ".~vx", "", 0666, temp);
    if (fd < 0) {
        // A writable file in a folder that takes no new files is written in place.
        if (exists && (errno == EACCES || errno == EPERM)) return writeInPlace(path, data);
        raiseFileError(errno);
    }
    OpenFile file(fd, std::move(temp));
    if (exists) {
        // Keep what can be kept of the old file: its mode, and its owner where allowed.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
            [[maybe_unused]] int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        }
        ::fchmod(fd, st.st_mode & 07777);
    }
    writeAll(fd, data);
    if (::fsync(fd) != 0 && errno != EINVAL) raiseFileError(errno);
    file.close();
    if (::rename(file.path().c_str(), target.c_str()) != 0) raiseFileError(errno);
    file.keep();
    // The new name lives in the folder: sync it too, or a power loss right
    // after Save returned could still bring the old file back. A folder that
    // cannot be opened or synced (some file systems refuse) changes nothing
    // of what was written.
    int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return Written::File;
}

std::string upperCase(std::string_view utf8) {
    static const locale_t unicode = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if (locale_t l = ::newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr))) return l;
        return static_cast<locale_t>(nullptr);
    }();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = detail::decodeUtf8(utf8, pos);
        if (c < 0x80) {
            if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
        } else if (unicode) {
            c = static_cast<char32_t>(::towupper_l(static_cast<wint_t>(c), unicode));
        }
        detail::encodeUtf8(out, c);
    }
    return out;
}

char* allocateLargeBlock(std::size_t size) noexcept {
    // Map one block more than asked and unmap what lies outside the aligned
    // part: mmap alone aligns to the page only.
    if (size == 0 || size % LargeBlockSize != 0 || size > SIZE_MAX - LargeBlockSize) return nullptr;
    std::size_t mapped = size + LargeBlockSize;
    void* p = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    auto start = reinterpret_cast<std::uintptr_t>(p);
    std::uintptr_t aligned = (start + LargeBlockSize - 1) & ~(std::uintptr_t{LargeBlockSize} - 1);
    if (aligned > start) munmap(p, aligned - start);
    std::size_t after = start + mapped - (aligned + size);
    if (after > 0) munmap(reinterpret_cast<void*>(aligned + size), after);
#ifdef MADV_HUGEPAGE
    // Refused where the kernel has no transparent huge pages: the block
    // then fills 4 KiB at a time, as any other memory.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<char*>(aligned);
}

void freeLargeBlock(char* block, std::size_t size) noexcept {
    if (block) munmap(block, size);
}

void adviseLarge(char* start, std::size_t size) noexcept {
#ifdef MADV_HUGEPAGE
    auto from = reinterpret_cast<std::uintptr_t>(start);
    std::uintptr_t first = (from + LargeBlockSize - 1) & ~(std::uintptr_t{LargeBlockSize} - 1);
    std::uintptr_t last = (from + size) & ~(std::uintptr_t{LargeBlockSize} - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)start;
    (void)size;
#endif
}

}  // namespace velloran::platform
