// The lists whose paragraphs a text holds, which the document declares.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace velloran::detail {

// The numbers of the lists (the N of "\lsN") that a paragraph's, cell's,
// page's or document's paragraphs belong to, in ascending order. Most texts
// belong to none and hold only an empty pointer.
class ListSet {
public:
    ListSet() = default;
    ListSet(const ListSet& other)
        : numbers_(other.numbers_ ? std::make_unique<std::vector<std::int32_t>>(*other.numbers_) : nullptr) {}
    ListSet& operator=(const ListSet& other) {
        if (this != &other) *this = ListSet(other);
        return *this;
    }
    ListSet(ListSet&&) noexcept = default;
    ListSet& operator=(ListSet&&) noexcept = default;

    bool empty() const noexcept { return !numbers_ || numbers_->empty(); }
    const std::vector<std::int32_t>& numbers() const noexcept {
        static const std::vector<std::int32_t> none;
        return numbers_ ? *numbers_ : none;
    }

    // This set with other's numbers too, made apart from this one so that a
    // failing insertion changes nothing; take it with swap.
    ListSet with(const ListSet& other) const {
        ListSet out(*this);
        for (std::int32_t n : other.numbers()) out.add(n);
        return out;
    }
    void swap(ListSet& other) noexcept { numbers_.swap(other.numbers_); }

    void add(std::int32_t n) {
        if (!numbers_) numbers_ = std::make_unique<std::vector<std::int32_t>>();
        auto at = std::lower_bound(numbers_->begin(), numbers_->end(), n);
        if (at == numbers_->end() || *at != n) numbers_->insert(at, n);
    }

private:
    std::unique_ptr<std::vector<std::int32_t>> numbers_;
};

}  // namespace velloran::detail
