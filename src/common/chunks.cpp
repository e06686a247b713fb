#include "common/chunks.hpp"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "common/platform.hpp"

namespace velloran::detail {
namespace {

// A piece's pointer to the characters of a string it owns.
std::shared_ptr<const char> owning(std::string text) {
    auto owner = std::make_shared<const std::string>(std::move(text));
    return std::shared_ptr<const char>(owner, owner->data());
}

// Blocks given back wait here for the next large text: fresh memory costs
// the kernel a fault and the zeroing of every page, memory used before
// nothing. At most 16 blocks (32 MiB) wait, as much as the C library's own
// heap keeps after a large free.
class BlockPool {
public:
    static constexpr std::size_t Block = platform::LargeBlockSize;
    static constexpr std::size_t Kept = 16;

    BlockPool() { free_.reserve(Kept); }

    // A block, or nothing where the system has none.
    char* take() noexcept {
        {
            std::lock_guard lock(mutex_);
            if (!free_.empty()) {
                char* block = free_.back();
                free_.pop_back();
                return block;
            }
        }
        return platform::allocateLargeBlock(Block);
    }

    void give(char* block) noexcept {
        {
            std::lock_guard lock(mutex_);
            if (free_.size() < Kept) {
                free_.push_back(block);  // within the reserved room: cannot throw
                return;
            }
        }
        platform::freeLargeBlock(block, Block);
    }

private:
    std::mutex mutex_;
    std::vector<char*> free_;
};

// Never destroyed: texts held by static objects may give blocks back at exit.
BlockPool& blockPool() {
    static BlockPool* const pool = new BlockPool;
    return *pool;
}

// Room for n more pieces, growing geometrically.
template <class Pieces>
void roomFor(Pieces& pieces, std::size_t n) {
    if (pieces.capacity() - pieces.size() < n) pieces.reserve(std::max(2 * pieces.capacity(), pieces.size() + n));
}

}  // namespace

Chunks::Chunks(const Chunks& other) : tail_(other.tail_) {
    if (other.finished_) {
        finished_ = std::make_unique<Finished>();
        finished_->pieces = other.finished_->pieces;
        finished_->size = other.finished_->size;
    }
}

Chunks& Chunks::operator=(const Chunks& other) {
    if (this != &other) *this = Chunks(other);
    return *this;
}

Chunks::~Chunks() = default;

Chunks::Finished& Chunks::finished() const {
    if (!finished_) finished_ = std::make_unique<Finished>();
    return *finished_;
}

void Chunks::finishTail() const {
    if (tail_.empty()) return;
    // A very large text copies what was written into its blocks and writes
    // on in the same buffer, which stays in the cache. A piece written whole
    // (a picture's hexadecimal) is already in memory: it is kept, not copied.
    if (size() >= LargeFrom && tail_.size() <= PieceSize && copyToBlocks(tail_)) {
        tail_.clear();
        return;
    }
    // Everything that can fail comes before the text moves: a failure
    // leaves it where it was.
    Finished& done = finished();
    roomFor(done.pieces, 1);
    auto owner = std::make_shared<std::string>();
    const std::size_t size = tail_.size();
    owner->swap(tail_);
    done.pieces.push_back({std::shared_ptr<const char>(owner, owner->data()), size});
    done.size += size;
    done.live = false;
}

bool Chunks::copyToBlocks(std::string_view text) const {
    constexpr std::size_t Block = platform::LargeBlockSize;
    Finished& done = finished();
    // Everything that can fail comes first: the blocks and the room for
    // their pieces; the copying then cannot fail.
    std::size_t room = done.block ? Block - done.blockUsed : 0;
    std::size_t more = text.size() > room ? (text.size() - room + Block - 1) / Block : 0;
    std::vector<std::shared_ptr<char>> blocks;
    blocks.reserve(more);
    for (std::size_t i = 0; i < more; ++i) {
        char* memory = blockPool().take();
        if (!memory) return false;
        blocks.emplace_back(memory, [](char* p) { blockPool().give(p); });
    }
    roomFor(done.pieces, more + 1);

    auto next = blocks.begin();
    while (!text.empty()) {
        if (!done.block || done.blockUsed == Block) {
            done.block = std::move(*next++);
            done.blockUsed = 0;
            done.live = false;
        }
        std::size_t n = std::min(text.size(), Block - done.blockUsed);
        std::memcpy(done.block.get() + done.blockUsed, text.data(), n);
        if (done.live) done.pieces.back().size += n;
        else done.pieces.push_back({std::shared_ptr<const char>(done.block, done.block.get() + done.blockUsed), n});
        done.live = true;
        done.blockUsed += n;
        done.size += n;
        text.remove_prefix(n);
    }
    return true;
}

void Chunks::share(const Piece& piece, std::size_t size) {
    finishTail();
    Finished& done = finished();
    done.pieces.push_back({piece.data, size});
    done.size += size;
    done.live = false;
}

void Chunks::append(std::string_view text) {
    // A text writing in blocks copies straight into them, what waits in the
    // piece being written first (unless it was written whole).
    if (finished_ && finished_->live && size() >= LargeFrom && tail_.size() <= PieceSize &&
        (tail_.empty() || copyToBlocks(tail_))) {
        tail_.clear();
        if (copyToBlocks(text)) return;
    }
    tail(text.size()).append(text);
}

void Chunks::append(std::initializer_list<std::string_view> texts) {
    std::size_t total = 0;
    for (std::string_view text : texts) total += text.size();
    if (!(finished_ && finished_->live && size() >= LargeFrom)) {
        std::string& out = tail(total);
        for (std::string_view text : texts) out.append(text);
        return;
    }
    // Into blocks, a short text is gathered first and copied in one step.
    constexpr std::size_t Gathered = 512;
    if (total > Gathered) {
        for (std::string_view text : texts) append(text);
        return;
    }
    char gathered[Gathered];
    std::size_t used = 0;
    for (std::string_view text : texts) {
        std::memcpy(gathered + used, text.data(), text.size());
        used += text.size();
    }
    append(std::string_view(gathered, used));
}

std::string& Chunks::tail(std::size_t expected) {
    // A small text grows in place; a large one is written in pieces that are
    // finished when full instead of being moved to a larger buffer.
    if (size() >= PieceSize && tail_.size() + expected > tail_.capacity()) {
        finishTail();
        tail_.reserve(std::max(PieceSize, expected));
    }
    return tail_;
}

std::string& Chunks::openPiece(std::size_t capacity) {
    finishTail();
    tail_.reserve(capacity);
    // A piece this large lies in memory of its own, which may take huge
    // pages as the blocks do.
    if (capacity >= LargeFrom) platform::adviseLarge(tail_.data(), tail_.capacity());
    return tail_;
}

void Chunks::appendShared(const Chunks& other) {
    if (&other == this) {
        append(other.str());
        return;
    }
    // A large piece is shared, a small one copied.
    auto take = [&](std::string_view view, const std::shared_ptr<const char>& owner) {
        if (view.size() >= ShareFrom)
            share({std::shared_ptr<const char>(owner, view.data()), view.size()}, view.size());
        else if (!view.empty()) append(view);
    };
    // A large piece being written is finished first, to be shared too
    // (finishing may lengthen the last finished piece).
    if (other.tail_.size() >= ShareFrom) other.finishTail();
    if (other.finished_)
        for (const auto& piece : other.finished_->pieces) take(piece.view(), piece.data);
    take(other.tail_, nullptr);
}

void Chunks::prepend(std::string_view text) {
    // Text in front of a large piece goes in a piece of its own: inserting
    // would move the large one.
    if (tail_.size() >= ShareFrom) finishTail();
    if (finishedSize() == 0) {
        tail_.insert(0, text);
    } else {
        finished_->pieces.insert(finished_->pieces.begin(), {owning(std::string(text)), text.size()});
        finished_->size += text.size();
        // The last piece is the same one still.
    }
}

void Chunks::rollback(const Mark& mark) {
    if (mark.size >= finishedSize()) {
        tail_.resize(mark.size - finishedSize());
        return;
    }
    // The mark lies in what has been finished since: drop the pieces after
    // it and shorten the one it falls in. A block's text past the mark is
    // not written over (it is left unused), so nothing shared can change.
    tail_.clear();
    Finished& done = *finished_;
    while (!done.pieces.empty() && done.size - done.pieces.back().size >= mark.size) {
        done.size -= done.pieces.back().size;
        done.pieces.pop_back();
    }
    if (done.size > mark.size) {
        done.pieces.back().size -= done.size - mark.size;
        done.size = mark.size;
    }
    done.live = false;
}

void Chunks::appendTo(std::string& out) const {
    out.reserve(out.size() + size());
    if (size() >= LargeFrom) platform::adviseLarge(out.data() + out.size(), out.capacity() - out.size());
    forEach([&](std::string_view piece) { out.append(piece); });
}

std::string Chunks::str() const {
    std::string out;
    appendTo(out);
    return out;
}

}  // namespace velloran::detail
