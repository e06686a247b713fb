#include "common/chunks.hpp"

#include <algorithm>

namespace velloran::detail {

void Chunks::finishTail() const {
    if (tail_.empty()) return;
    finished_ += tail_.size();
    std::size_t size = tail_.size();
    pieces_.push_back({std::make_shared<const std::string>(std::move(tail_)), size});
    tail_ = std::string();
}

void Chunks::share(const Piece& piece, std::size_t size) {
    finishTail();
    pieces_.push_back({piece.text, size});
    finished_ += size;
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

void Chunks::appendShared(const Chunks& other, std::size_t leaveOut) {
    leaveOut = std::min(leaveOut, other.size());
    if (&other == this) {
        std::string text = other.str();
        append(std::string_view(text).substr(0, text.size() - leaveOut));
        return;
    }
    // A large piece is shared, all of it or the first part that is taken;
    // a small one is copied.
    std::size_t left = other.size() - leaveOut;
    auto take = [&](const Piece& piece) {
        std::size_t size = std::min(piece.size, left);
        left -= size;
        if (size >= ShareFrom)
            share(piece, size);
        else if (size > 0)
            append(piece.view().substr(0, size));
    };
    for (const auto& piece : other.pieces_) take(piece);
    if (other.tail_.size() >= ShareFrom && left >= ShareFrom) {
        other.finishTail();
        take(other.pieces_.back());
    } else {
        append(std::string_view(other.tail_).substr(0, std::min(other.tail_.size(), left)));
    }
}

bool Chunks::endsWith(std::string_view suffix) const {
    if (suffix.size() > size()) return false;
    // From the end backwards, piece by piece.
    std::size_t need = suffix.size();
    bool same = true;
    auto compare = [&](std::string_view piece) {
        std::size_t n = std::min(need, piece.size());
        same = same && piece.substr(piece.size() - n) == suffix.substr(need - n, n);
        need -= n;
    };
    compare(tail_);
    for (auto it = pieces_.rbegin(); need > 0 && it != pieces_.rend(); ++it) compare(it->view());
    return same;
}

void Chunks::prepend(std::string_view text) {
    // Text in front of a large piece goes in a piece of its own: inserting
    // would move the large one.
    if (tail_.size() >= ShareFrom) finishTail();
    if (pieces_.empty()) {
        tail_.insert(0, text);
    } else {
        pieces_.insert(pieces_.begin(), {std::make_shared<const std::string>(text), text.size()});
        finished_ += text.size();
    }
}

void Chunks::rollback(const Mark& mark) {
    if (pieces_.size() > mark.pieces) {
        // What was being written at the mark has been finished since: take
        // its first part back as the piece being written.
        tail_.assign(pieces_[mark.pieces].view().substr(0, mark.tail));
        for (std::size_t i = mark.pieces; i < pieces_.size(); ++i) finished_ -= pieces_[i].size;
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
