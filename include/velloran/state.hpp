// The private state of some classes: its types have to be whole where the
// classes are, but only the library reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace velloran {

// State that a move leaves as new: an object moved from reads as an empty
// one, and changing it starts it afresh.
template <class State>
struct EmptiedOnMove {
    State value;

    EmptiedOnMove() = default;
    EmptiedOnMove(const EmptiedOnMove&) = default;
    // A copy that fails part-way (out of memory) leaves this one as it was.
    EmptiedOnMove& operator=(const EmptiedOnMove& other) {
        if (this != &other) value = State(other.value);
        return *this;
    }
    EmptiedOnMove(EmptiedOnMove&& other) noexcept : value(std::exchange(other.value, State{})) {}
    EmptiedOnMove& operator=(EmptiedOnMove&& other) noexcept {
        if (this != &other) value = std::exchange(other.value, State{});
        return *this;
    }
    ~EmptiedOnMove() = default;
};

// The points of a polyline or polygon, as inserted.
struct PointList {
    std::int32_t count = 0;
    std::string rtf;       // the points as drawing objects write them
    std::string vertices;  // and as "(x,y)" joined by ";"
    std::size_t firstVertex = 0;
    // Bounding box of the inserted points; all 0 while there are none.
    std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// The shapes of a drawing, as inserted.
struct ShapeList {
    std::int32_t count = 0;
    std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    // The shapes as drawing objects, and again as Word 97 shapes: the first
    // of those open for its result, the others whole.
    std::string rtf;
    std::string firstShape97;
    std::string shapes97;
};

}  // namespace velloran
