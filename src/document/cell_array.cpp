#include <velloran/cell_array.hpp>

#include "common/checked.hpp"

namespace velloran {

CellArray::CellArray(std::initializer_list<Bounds> dimensions) : CellArray(std::vector<Bounds>(dimensions)) {}

CellArray::CellArray(std::vector<Bounds> dimensions) : bounds_(std::move(dimensions)) {
    std::size_t count = bounds_.empty() ? 0 : 1;
    for (const Bounds& b : bounds_) {
        std::int64_t extent = std::int64_t{b.upper} - b.lower + 1;
        if (extent <= 0) {
            count = 0;
        } else if (__builtin_mul_overflow(count, static_cast<std::size_t>(extent), &count)) {
            detail::overflow();
        }
    }
    if (count > cells_.max_size()) detail::overflow();
    cells_.resize(count);
}

std::int32_t CellArray::lbound(std::size_t d) const {
    if (d < 1 || d > bounds_.size()) throw Error(errors::SubscriptOutOfRange);
    return bounds_[d - 1].lower;
}

std::int32_t CellArray::ubound(std::size_t d) const {
    if (d < 1 || d > bounds_.size()) throw Error(errors::SubscriptOutOfRange);
    return bounds_[d - 1].upper;
}

std::size_t CellArray::offset(const std::int32_t* index, std::size_t count) const {
    if (count != bounds_.size()) throw Error(errors::SubscriptOutOfRange);
    std::size_t at = 0;
    for (std::size_t d = 0; d < count; ++d) {
        const Bounds& b = bounds_[d];
        if (index[d] < b.lower || index[d] > b.upper) throw Error(errors::SubscriptOutOfRange);
        at = at * static_cast<std::size_t>(std::int64_t{b.upper} - b.lower + 1) +
             static_cast<std::size_t>(std::int64_t{index[d]} - b.lower);
    }
    return at;
}

std::shared_ptr<cCell>& CellArray::at(std::initializer_list<std::int32_t> index) {
    return cells_[offset(index.begin(), index.size())];
}

const std::shared_ptr<cCell>& CellArray::at(std::initializer_list<std::int32_t> index) const {
    return cells_[offset(index.begin(), index.size())];
}

std::shared_ptr<cCell>& CellArray::at(const std::vector<std::int32_t>& index) {
    return cells_[offset(index.data(), index.size())];
}

}  // namespace velloran
