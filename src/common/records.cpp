#include "common/records.hpp"

#include <stdexcept>

namespace velloran::detail {

Cursor::Cursor(const Chunks& records) {
    records.forEach([&](std::string_view piece) { pieces_.push_back(piece); });
    start();
}

Cursor::Cursor(std::vector<std::string_view> pieces) : pieces_(std::move(pieces)) {
    std::erase_if(pieces_, [](std::string_view piece) { return piece.empty(); });
    start();
}

void Cursor::start() {
    if (pieces_.empty()) return;
    at_ = pieces_[0].data();
    end_ = at_ + pieces_[0].size();
}

void Cursor::next() {
    // Records are read as they were written: reading past their end is a
    // fault of the writer's.
    if (piece_ + 1 >= pieces_.size()) throw std::logic_error("records read past their end");
    ++piece_;
    at_ = pieces_[piece_].data();
    end_ = at_ + pieces_[piece_].size();
}

}  // namespace velloran::detail
