// The private text of pages, cells, paragraphs and the document.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velloran::detail {

// Text that only grows, held as finished pieces followed by the piece being
// written. Small text is copied from object to object as usual; a finished
// piece of some size is shared by reference between the objects that take
// it (a page taking a paragraph with a picture, a document taking a page)
// and never changes again, so a large document exists once in memory. Once
// the text is large, pieces have a fixed size and are never regrown, so
// memory stays near the text's length. A very large text is copied from the
// piece being written into blocks of huge pages, which the kernel fills 2 MiB
// at a time instead of 4 KiB: for such texts the kernel's work of handing
// out fresh memory was as large as the writing itself.
class Chunks {
public:
    // Pieces are written up to this size once the text is large.
    static constexpr std::size_t PieceSize = std::size_t{256} * 1024;
    // Pieces at least this long are shared instead of copied.
    static constexpr std::size_t ShareFrom = std::size_t{16} * 1024;
    // From this size on, finished text goes into large blocks where the
    // system has them.
    static constexpr std::size_t LargeFrom = std::size_t{4} * 1024 * 1024;

    Chunks() = default;
    explicit Chunks(std::string text) : tail_(std::move(text)) {}
    // A copy shares the finished pieces and writes on in blocks of its own.
    Chunks(const Chunks& other);
    Chunks& operator=(const Chunks& other);
    Chunks(Chunks&&) noexcept = default;
    Chunks& operator=(Chunks&&) noexcept = default;
    ~Chunks();

    std::size_t size() const noexcept { return finishedSize() + tail_.size(); }
    bool empty() const noexcept { return size() == 0; }

    // The piece to write to directly, with room for about `expected` more
    // characters: a large text's full piece is finished first.
    std::string& tail(std::size_t expected = 0);

    // Room for exactly n characters in a text that is still empty: a small
    // text whose final size is known is held without the slack of growth.
    void reserveEmpty(std::size_t n) {
        if (empty()) tail_.reserve(n);
    }

    void append(std::string_view text);
    void append(char c) { tail(1).push_back(c); }
    // Append texts one after the other, as one write.
    void append(std::initializer_list<std::string_view> texts);

    // The text while it is small and in one piece (what another text copies
    // instead of sharing); nothing otherwise.
    std::optional<std::string_view> small() const noexcept {
        if (finished_ || tail_.size() >= ShareFrom) return std::nullopt;
        return std::string_view(tail_);
    }

    // Start a piece of exactly `capacity` characters for one large write
    // (a picture's hexadecimal); it is finished by the next append.
    std::string& openPiece(std::size_t capacity);

    // Append the text of other: its large pieces by reference, the rest
    // copied.
    void appendShared(const Chunks& other);

    // Put text in front of everything.
    void prepend(std::string_view text);
    // A new text of this one with text around it, the text after written
    // by writeAfter (about `afterRoom` characters); this text is left as it
    // was. A text in one piece is written out anew once, with room for what
    // it then holds; a larger one shares its pieces between the front and
    // the end.
    template <class WriteAfter>
    Chunks wrapped(std::string_view before, std::size_t afterRoom, WriteAfter&& writeAfter) const {
        if (finished_ || tail_.size() >= ShareFrom) {
            std::string after;
            after.reserve(afterRoom);
            writeAfter(after);
            Chunks out{std::string(before)};
            out.appendShared(*this);
            out.append(after);
            return out;
        }
        std::string whole;
        whole.reserve(before.size() + tail_.size() + afterRoom);
        whole.append(before).append(tail_);
        writeAfter(whole);
        return Chunks(std::move(whole));
    }

    // A place in the text to cut back to when a longer write fails.
    struct Mark {
        std::size_t size;
    };
    Mark mark() const noexcept { return {size()}; }
    void rollback(const Mark& mark);

    // Run a write that may fail part way: a failure cuts the text back to
    // where it was before the exception goes on.
    template <class Write>
    void writeWhole(Write&& write) {
        const Mark before = mark();
        try {
            write();
        } catch (...) {
            rollback(before);
            throw;
        }
    }

    // Every piece in order.
    template <class Visit>
    void forEach(Visit&& visit) const {
        if (finished_)
            for (const auto& piece : finished_->pieces) visit(piece.view());
        if (!tail_.empty()) visit(std::string_view(tail_));
    }

    void appendTo(std::string& out) const;
    std::string str() const;

private:
    // A finished piece, or the first part of one: what is shared never
    // changes, so another text may share a piece and read less of it. The
    // pointer owns the string or block the piece lies in.
    struct Piece {
        std::shared_ptr<const char> data;
        std::size_t size;
        std::string_view view() const noexcept { return {data.get(), size}; }
    };

    // The finished pieces, made when the text first has one: most texts
    // (a cell's, a short paragraph's) never do, and stay the size of a string
    // and a pointer.
    struct Finished {
        std::vector<Piece> pieces;
        std::size_t size = 0;
        // The large block being filled and how much of it is used; when
        // `live`, the last piece ends where the block's use ends and grows
        // with it. Text past a piece's end is never shared, so it may be written.
        std::shared_ptr<char> block;
        std::size_t blockUsed = 0;
        bool live = false;
    };

    std::size_t finishedSize() const noexcept { return finished_ ? finished_->size : 0; }
    Finished& finished() const;
    void finishTail() const;
    bool copyToBlocks(std::string_view text) const;
    void share(const Piece& piece, std::size_t size);

    // Finishing the piece being written changes no text, so a text that
    // another takes (a page inserted, a cell in a table) finishes its own
    // piece to share it. Reading (Rtf, Save) changes nothing; two threads
    // must not insert one object at the same moment.
    mutable std::string tail_;
    mutable std::unique_ptr<Finished> finished_;
};

}  // namespace velloran::detail
