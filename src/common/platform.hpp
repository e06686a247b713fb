// The seam between the core and the operating system: files, the local
// clock and Unicode case mapping. One implementation per
// platform; nothing else in the core calls the system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace velloran::platform {

struct LocalTime {
    int year;    // four digits
    int month;   // 1 to 12
    int day;     // 1 to 31
    int hour;    // 0 to 23
    int minute;  // 0 to 59
};

// The local date and time, or the fixed value set for this thread.
LocalTime localNow();
// Fix the clock of this thread (tests); std::nullopt returns to the system clock.
void setFixedClock(std::optional<LocalTime> time);
// What the system clock says, ignoring any fixed value.
LocalTime systemLocalNow();

// The length of a file, or nothing when it cannot be read.
std::optional<std::uint64_t> fileLength(const std::string& path) noexcept;

// Delete a file; every error is ignored.
void removeFile(const std::string& path) noexcept;

// Read a whole file; raises the automation file error when it cannot.
std::string readFile(const std::string& path);

// Write data as the whole content of path. A regular file (or a path that
// does not exist yet) is written to a new file in the same folder that then
// replaces it, so a failure leaves any earlier file as it was and leaves no
// stray file. A device (/dev/null, a terminal; NUL on Windows) or a pipe
// that a reader has open is written directly. Anything else (a folder; on
// POSIX systems a pipe nobody reads, a socket, a block device) is refused at
// once with error 75, untouched. Raises the
// automation file error (52, 53, 61, 70, 75, 76) on failure. The data is
// what `produce` hands to the sink it is given, in order (each piece need
// only live during its call; small ones are gathered into larger writes);
// it may be asked for twice when a first way of writing fails before it
// wrote anything. Says which it wrote: a device's length tells nothing of
// what it took.
enum class Written { File, Device };

// Where a producer hands its data: small pieces are gathered here into
// writes of some size, larger ones written as they come.
class Sink {
public:
    using Write = std::function<void(std::string_view)>;
    explicit Sink(Write write) : write_(std::move(write)) { gathered_.reserve(Gather); }
    // A copy would keep gathered bytes of its own that nobody writes.
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    void operator()(std::string_view piece) const {
        if (piece.size() < Gather / 4 && gathered_.size() + piece.size() <= Gather) gathered_.append(piece);
        else pass(piece);
    }
    // Write what is gathered.
    void flush() const {
        if (!gathered_.empty()) write_(std::string_view(gathered_));
        gathered_.clear();
    }

private:
    static constexpr std::size_t Gather = std::size_t{64} * 1024;
    void pass(std::string_view piece) const {
        flush();
        if (piece.size() >= Gather / 4) write_(piece);
        else gathered_.append(piece);
    }
    Write write_;
    mutable std::string gathered_;
};
using Producer = std::function<void(const Sink&)>;
Written writeFileReplacing(const std::string& path, const Producer& produce);

// What the producer hands on, small pieces gathered into writes of some size.
template <class Write>
void writeGathered(const Producer& produce, Write&& write) {
    const Sink sink(std::forward<Write>(write));
    produce(sink);
    sink.flush();
}

// Memory for a large text: `size` bytes (a multiple of LargeBlockSize),
// aligned to LargeBlockSize and advised for huge pages, so the kernel
// faults it in 2 MiB at a time instead of 4 KiB. Nothing (no exception)
// where the system has no such memory; freed with freeLargeBlock.
inline constexpr std::size_t LargeBlockSize = std::size_t{2} * 1024 * 1024;
char* allocateLargeBlock(std::size_t size) noexcept;
void freeLargeBlock(char* block, std::size_t size) noexcept;
// Advise the whole 2 MiB stretches of memory already allocated (a large
// string's buffer, not yet written) for huge pages; nothing where the system
// has none.
void adviseLarge(char* start, std::size_t size) noexcept;

// Upper-case UTF-8 text character by character with the Unicode simple case
// mapping; invalid sequences count as U+FFFD.
std::string upperCase(std::string_view utf8);

}  // namespace velloran::platform
