// The lists whose paragraphs a document holds, which it declares.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velloran::detail {

// The numbers of the lists (the N of "\lsN") that a document's paragraphs
// belong to, in ascending order. Numbers of assembled documents, moved up
// above the whole's, may pass 32 bits.
class ListSet {
public:
    bool empty() const noexcept { return numbers_.empty(); }
    const std::vector<std::int64_t>& numbers() const noexcept { return numbers_; }
    std::int64_t highest() const noexcept { return numbers_.empty() ? 0 : numbers_.back(); }

    void add(std::int64_t n) {
        auto at = std::lower_bound(numbers_.begin(), numbers_.end(), n);
        if (at == numbers_.end() || *at != n) numbers_.insert(at, n);
    }

private:
    std::vector<std::int64_t> numbers_;
};

}  // namespace velloran::detail
