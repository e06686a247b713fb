// What an insert keeps: the structure of the child as it is at the call,
// written as records into the parent's Chunks, a tree in pre-order. A
// record is its tag, its numbers (unsigned, seven bits a byte) and, for the
// leaves, bytes of RTF that the writer rendered at the insert (a run, a
// drawing, a picture, a paragraph's own words). Containers end with their
// own tag. The writer walks the records at Rtf and Save: once to gather
// what only the whole document knows, once to write it.
//
//   items   (a paragraph's content): Leaf | Run | Contents | Mark | Paragraph | Footnote
//   Leaf      length, bytes
//   Run       [bookmark length, bookmark] before, text, after lengths, bytes:
//             the run's bytes, its escaped text between the two others
//   Contents  levels, before, result, after lengths, bytes: a table of
//             contents, the host's text as its result
//   Mark      the mark of a paragraph the content began with
//   Paragraph list, outline level, style, opened, marked, start length,
//             start words; items; ParagraphEnd length, end words: a
//             paragraph of its own, made so when a place took it
//   Footnote  opened, endnote; items; End
//   blocks  (a page's, a header's, a cell's content): Placed | Table
//   Placed    opened, marked; items; End: a paragraph as a place took it
//   Table     Row...; End
//   Row       header, words length, the row's and its cells' definitions; Cell...; End
//   Cell      continued, last; Placed...; End
//   pages   (a section's): Page blocks End
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/chunks.hpp"

namespace velloran::detail {

enum class Tag : std::uint8_t {
    End = 1,
    Leaf,
    Run,
    BookmarkedRun,
    Contents,
    Mark,
    Paragraph,
    ParagraphEnd,
    Footnote,
    Placed,
    Table,
    Row,
    Cell,
    Page,
};

// What a container's records hold that the writer gathers before it
// writes: a list's paragraph, a paragraph that may be a heading (an outline
// level or a style), a table of contents. The writer passes over records
// that hold none of them.
enum Holds : std::uint8_t { HoldsLists = 1, HoldsHeadings = 2, HoldsContents = 4 };

// A record's tag and numbers, made on the stack.
class Record {
public:
    explicit Record(Tag tag) { buffer_[size_++] = static_cast<char>(tag); }
    Record& number(std::uint64_t value) {
        while (value >= 0x80) {
            buffer_[size_++] = static_cast<char>((value & 0x7f) | 0x80);
            value >>= 7;
        }
        buffer_[size_++] = static_cast<char>(value);
        return *this;
    }
    Record& flag(bool value) {
        buffer_[size_++] = value ? '\1' : '\0';
        return *this;
    }
    std::string_view view() const noexcept { return {buffer_, size_}; }

private:
    char buffer_[64];  // a tag and six numbers at the most
    std::size_t size_ = 0;
};

// The length of a record's bytes, known once they are written: a byte is
// kept for it in front of them (most are shorter than 128 bytes), and
// fillLength writes it there, making room for more bytes when it needs them.
inline std::size_t keepLength(std::string& out) {
    out += '\0';
    return out.size();
}
inline void fillLength(std::string& out, std::size_t at) {
    std::uint64_t value = out.size() - at;
    if (value < 0x80) {
        out[at - 1] = static_cast<char>(value);
        return;
    }
    char buffer[10];
    char* end = buffer;
    for (;; value >>= 7) {
        if (value < 0x80) {
            *end++ = static_cast<char>(value);
            break;
        }
        *end++ = static_cast<char>((value & 0x7f) | 0x80);
    }
    out.replace(at - 1, 1, buffer, static_cast<std::size_t>(end - buffer));
}

// Reads records piece by piece: a record may lie across two pieces.
class Cursor {
public:
    explicit Cursor(const Chunks& records);
    explicit Cursor(std::vector<std::string_view> pieces);

    bool done() const noexcept { return at_ == end_ && piece_ + 1 >= pieces_.size(); }
    Tag peek() {
        ready();
        return static_cast<Tag>(*at_);
    }
    Tag tag() { return static_cast<Tag>(byte()); }
    std::uint64_t number() {
        // Most numbers are one byte, and lie whole in the piece being read.
        if (at_ != end_ && static_cast<unsigned char>(*at_) < 0x80) return static_cast<unsigned char>(*at_++);
        if (end_ - at_ >= 10) {
            std::uint64_t value = 0;
            for (unsigned shift = 0;; shift += 7) {
                const auto b = static_cast<unsigned char>(*at_++);
                value |= static_cast<std::uint64_t>(b & 0x7f) << shift;
                if (b < 0x80) return value;
            }
        }
        std::uint64_t value = 0;
        for (unsigned shift = 0;; shift += 7) {
            const auto b = static_cast<unsigned char>(byte());
            value |= static_cast<std::uint64_t>(b & 0x7f) << shift;
            if (b < 0x80) return value;
        }
    }
    std::int32_t int32() { return static_cast<std::int32_t>(number()); }
    // A length, which was a size when it was written.
    std::size_t length() { return static_cast<std::size_t>(number()); }
    bool flag() { return byte() != 0; }

    // The next n bytes, a piece at a time.
    template <class Visit>
    void bytes(std::size_t n, Visit&& visit) {
        while (n > 0) {
            ready();
            const std::size_t here = std::min(n, static_cast<std::size_t>(end_ - at_));
            visit(std::string_view(at_, here));
            at_ += here;
            n -= here;
        }
    }
    // The next n bytes when they lie in one piece (most do); else visits them
    // a piece at a time.
    template <class Visit>
    void span(std::size_t n, Visit&& visit) {
        if (static_cast<std::size_t>(end_ - at_) >= n) {
            visit(std::string_view(at_, n));
            at_ += n;
            return;
        }
        bytes(n, visit);
    }
    void skip(std::size_t n) {
        if (static_cast<std::size_t>(end_ - at_) >= n) {
            at_ += n;
            return;
        }
        bytes(n, [](std::string_view) {});
    }

private:
    char byte() {
        ready();
        return *at_++;
    }
    // Moves to the next piece when this one is read to its end.
    void ready() {
        while (at_ == end_) next();
    }
    void start();
    void next();

    std::vector<std::string_view> pieces_;
    std::size_t piece_ = 0;
    const char* at_ = nullptr;
    const char* end_ = nullptr;
};

}  // namespace velloran::detail
