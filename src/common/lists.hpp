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

    // This set with other's numbers too, made apart so that a failing
    // insertion changes nothing; commit it with take() once the text is
    // written. Nothing is copied, and an empty set made, when other brings
    // no number.
    ListSet with(const ListSet& other) const {
        if (other.empty()) return {};
        ListSet out(*this);
        out.add(other);
        return out;
    }
    // Take a set that with() made; an empty one changes nothing.
    void take(ListSet& merged) noexcept {
        if (!merged.empty()) numbers_.swap(merged.numbers_);
    }

    void add(const ListSet& other) {
        for (std::int32_t n : other.numbers()) add(n);
    }
    void add(std::int32_t n) {
        if (!numbers_) numbers_ = std::make_unique<std::vector<std::int32_t>>();
        auto at = std::lower_bound(numbers_->begin(), numbers_->end(), n);
        if (at == numbers_->end() || *at != n) numbers_->insert(at, n);
    }

private:
    std::unique_ptr<std::vector<std::int32_t>> numbers_;
};

}  // namespace velloran::detail
