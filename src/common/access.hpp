// The library's own access to what its classes keep private (the friend of
// the object model's classes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <velloran/velloran.hpp>

#include "common/chunks.hpp"
#include "rtf/paragraph.hpp"

namespace velloran {

namespace detail {

struct DocumentState;

// The state of an object a move may have emptied: changing it makes a new
// one, reading it reads an empty one.
template <class State>
State& stateOf(OwnState<State>& state) {
    if (!state) state = OwnState<State>(std::make_unique<State>());
    return *state;
}

template <class State>
const State& stateOf(const OwnState<State>& state) {
    static const State empty;
    return state ? *state : empty;
}

}  // namespace detail

struct Access {
    // A run's text, escaped when it was set.
    static const std::string& escapedText(const cText& run) { return run.escapedText_; }
    // The run a text box refers to, or null.
    static const cText* text(const cDrawingText& box) { return box.text_.get(); }

    // What a page, a cell and a paragraph hold, as records; a paragraph's
    // content with whether it is opened and marked as a paragraph of its own.
    static const detail::Chunks& records(const cPage& page);
    static const detail::Chunks& records(const cCell& cell);
    // What those records hold that the writer gathers (detail::Holds).
    static std::uint8_t holds(const cPage& page);
    static std::uint8_t holds(const cCell& cell);
    static rtf::ParagraphText text(const cParagraph& paragraph);
    // The whole text a cell or paragraph holds, as a place writes it.
    static std::string content(const cCell& cell);
    static std::string content(const cParagraph& paragraph);
    // A paragraph's tab stops, in the order added.
    static const auto& tabStops(const cParagraph& paragraph) { return paragraph.tabStops_; }

    // The points of a polyline or polygon, as inserted.
    template <class Shape>
    static const PointList& points(const Shape& shape) {
        return shape.points_.value;
    }
    // Append a point to a polyline or polygon.
    template <class Shape>
    static Boolean insertPoint(Shape& shape, const std::shared_ptr<cPoint>& point);

    // A drawing's inserts and its writer (src/drawing/drawing.cpp).
    struct Box {
        std::int32_t minX, minY, maxX, maxY;
    };
    template <class Shape>
    static Boolean insertShape(cDrawing& drawing, const Shape& shape, const Box& box, bool eitherWay);
    static void appendDrawing(const cDrawing& drawing, std::string& out);

    // The pages a document counts (a seam for the tests of its limit).
    static std::int32_t& pageCount(cDocument& document);
    // What a document keeps besides its fields, for its writers.
    static const detail::DocumentState& state(const cDocument& document);

    // The paragraph as a page, cell or note takes it, made apart from it
    // (rtf::Taken); once the place has it, keep() makes that the paragraph's
    // content, so that a second taking nests the first.
    static rtf::Taken take(const cParagraph& paragraph);
    static void keep(cParagraph& paragraph, rtf::Taken&& taken) noexcept;
};

}  // namespace velloran
