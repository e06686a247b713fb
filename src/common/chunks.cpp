#include <velloran/chunks.hpp>

#include <algorithm>

namespace velloran::detail {

void Chunks::finishTail() const {
    if (tail_.empty()) return;
    finished_ += tail_.size();
    pieces_.push_back(std::make_shared<const std::string>(std::move(tail_)));
    tail_ = std::string();
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
    return tail_;
}

void Chunks::appendShared(const Chunks& other) {
    if (&other == this) {
        append(other.str());
        return;
    }
    auto take = [&](const std::shared_ptr<const std::string>& piece) {
        if (piece->size() >= ShareFrom) {
            finishTail();
            pieces_.push_back(piece);
            finished_ += piece->size();
        } else {
            append(*piece);
        }
    };
    for (const auto& piece : other.pieces_) take(piece);
    if (other.tail_.size() >= ShareFrom) {
        other.finishTail();
        take(other.pieces_.back());
    } else {
        append(other.tail_);
    }
}

void Chunks::prepend(std::string_view text) {
    // Text in front of a large piece goes in a piece of its own: inserting
    // would move the large one.
    if (tail_.size() >= ShareFrom) finishTail();
    if (pieces_.empty()) {
        tail_.insert(0, text);
    } else {
        pieces_.insert(pieces_.begin(), std::make_shared<const std::string>(text));
        finished_ += text.size();
    }
}

void Chunks::rollback(const Mark& mark) {
    if (pieces_.size() > mark.pieces) {
        // What was being written at the mark has been finished since: take
        // its first part back as the piece being written.
        tail_.assign(*pieces_[mark.pieces], 0, mark.tail);
        for (std::size_t i = mark.pieces; i < pieces_.size(); ++i) finished_ -= pieces_[i]->size();
        pieces_.resize(mark.pieces);
    } else {
        tail_.resize(mark.tail);
    }
}

void Chunks::appendTo(std::string& out) const {
    out.reserve(out.size() + size());
    forEach([&](std::string_view piece) { out.append(piece); });
}

std::string Chunks::str() const {
    std::string out;
    appendTo(out);
    return out;
}

}  // namespace velloran::detail
