// The lists whose paragraphs a text holds, which the document declares.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/refs.hpp"

namespace velloran::detail {

// The numbers of the lists (the N of "\lsN") that a document's paragraphs
// belong to, in ascending order. Most documents have none and hold only an
// empty pointer.
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

// The lists a text's references name, read from the text given piece by
// piece (a reference may lie across two pieces) and added to a set.
class ListReader {
public:
    explicit ListReader(ListSet& lists) noexcept : lists_(lists) {}

    void feed(std::string_view piece) {
        const char* at = piece.data();
        const char* const end = at + piece.size();
        if (!started_.empty() && at != end) at = goOn(at, end);
        while (at != end) {
            const void* found = std::memchr(at, RefStart, static_cast<std::size_t>(end - at));
            if (!found) return;
            const char* start = static_cast<const char*>(found);
            if (end - start == 1) {
                started_.assign(1, RefStart);
                return;
            }
            at = start + 2;
            if (start[1] != static_cast<char>(Ref::List)) continue;
            while (at != end && *at >= '0' && *at <= '9') ++at;
            started_.assign(start, at);
            if (at == end) return;
            finish();
        }
    }

    // Adds a list whose number the text ends with.
    void finish() {
        if (started_.size() > 2) {
            std::int32_t number = 0;
            for (char c : std::string_view(started_).substr(2)) number = number * 10 + (c - '0');
            lists_.add(number);
        }
        started_.clear();
    }

private:
    // The rest of the reference the piece before ended in.
    const char* goOn(const char* at, const char* end) {
        if (started_.size() == 1) {
            if (*at++ != static_cast<char>(Ref::List)) {
                started_.clear();
                return at;
            }
            started_ += static_cast<char>(Ref::List);
        }
        const char* digits = at;
        while (at != end && *at >= '0' && *at <= '9') ++at;
        started_.append(digits, at);
        if (at != end) finish();
        return at;
    }

    ListSet& lists_;
    std::string started_;  // the marker, kind and digits of a list's reference so far
};

// Adds the lists that a text's references name.
template <class Text>
void addListsOf(const Text& text, ListSet& lists) {
    ListReader reader(lists);
    text.forEach([&](std::string_view piece) { reader.feed(piece); });
    reader.finish();
}

}  // namespace velloran::detail
