// CellArray: the array of cells a table is made of.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

// A multi-dimensional array of cell references with a lower and an upper
// bound per dimension, like an automation safe array:
//
//     CellArray cells({{1, 2}, {1, 3}});   // columns 1..2, rows 1..3
//     cells.at({1, 3}) = std::make_shared<cCell>();
//
// A dimension whose upper bound is below its lower bound has no elements.
class CellArray {
public:
    struct Bounds {
        std::int32_t lower;
        std::int32_t upper;
    };

    // Error 6 for more elements than memory can index.
    VELLORAN_API CellArray(std::initializer_list<Bounds> dimensions);
    VELLORAN_API explicit CellArray(std::vector<Bounds> dimensions);

    // Number of dimensions.
    std::size_t dimensions() const noexcept { return bounds_.size(); }
    // Bounds of dimension d, counted from 1 as automation does; error 9 for a
    // dimension the array does not have.
    VELLORAN_API std::int32_t lbound(std::size_t d) const;
    VELLORAN_API std::int32_t ubound(std::size_t d) const;

    // The element at one index per dimension; error 9 when the count of
    // indexes differs from dimensions() or an index lies outside its bounds.
    VELLORAN_API std::shared_ptr<cCell>& at(std::initializer_list<std::int32_t> index);
    VELLORAN_API const std::shared_ptr<cCell>& at(std::initializer_list<std::int32_t> index) const;
    // The same with the indexes in a vector, for any number of dimensions.
    VELLORAN_API std::shared_ptr<cCell>& at(const std::vector<std::int32_t>& index);

private:
    std::size_t offset(const std::int32_t* index, std::size_t count) const;

    std::vector<Bounds> bounds_;
    std::vector<std::shared_ptr<cCell>> cells_;
};

}  // namespace velloran
