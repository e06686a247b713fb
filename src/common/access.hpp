// The library's own access to what its classes keep private, and the
// writers of their fragments (the friend operations of the object model).
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

    // Every fragment writer under one name, for the containers and the tests.
    template <class Fragment, class Out>
    static void appendRtf(const Fragment& object, Out& out);
    template <class Shape>
    static void appendShape(const Shape& shape, std::string& out, std::int32_t z);
    template <class Fragment>
    static std::string rtf(const Fragment& object) {
        std::string out;
        appendRtf(object, out);
        return out;
    }

    // The pages a document counts (a seam for the tests of its limit).
    static std::int32_t& pageCount(cDocument& document);
    // What a document keeps besides its fields, for its writers.
    static const detail::DocumentState& state(const cDocument& document);

    // The paragraph as a page, cell or note takes it, made apart from it:
    // when it is aligned, a paragraph of its own around what it held (error
    // 91 when Border is null). Once the place has it, keep() makes that the
    // paragraph's content, so that a second taking nests the first.
    struct Taken {
        const cParagraph* paragraph;
        bool own;              // a paragraph of its own, opened and marked
        detail::Chunks items;  // its content, when own
        std::uint8_t holds;    // and what it holds that the writer gathers
        rtf::ParagraphText text() const {
            return own ? rtf::ParagraphText{true, items, true, holds} : Access::text(*paragraph);
        }
    };
    static Taken take(const cParagraph& paragraph);
    static void keep(cParagraph& paragraph, Taken&& taken) noexcept;
};

namespace detail {

using velloran::Access;

// The fragment writers: what each object gives the container it is inserted
// into. A writer that fails appends nothing.
void appendRtf(const cPoint& point, std::string& out);
void appendRtf(const cLine& line, std::string& out);
void appendRtf(const cRect& rect, std::string& out);
void appendRtf(const cEllipse& ellipse, std::string& out);
void appendRtf(const cDrawingText& box, std::string& out);
void appendRtf(const cPolyline& polyline, std::string& out);
void appendRtf(const cPolygon& polygon, std::string& out);
void appendRtf(const cDrawing& drawing, std::string& out);
void appendRtf(const cPage& page, std::string& out);
// A paragraph as a page, cell or header takes it: its Placed record.
void appendPlaced(Chunks& out, const rtf::ParagraphText& paragraph);
// The N of "\\lsN" for a paragraph that is a list item, else 0.
std::int32_t listNumber(const cParagraph& paragraph);

// The same shapes as Word 97 writes them; z is the shape's place in its
// drawing's stacking order. The instance is the shape's group up to its
// result, which a drawing's first shape holds: "{\shp{\*\shpinst ...}",
// the shape's own group still open. A shape without points writes nothing
// and gives false.
bool appendShapeInstance(const cLine& line, std::string& out, std::int32_t z);
bool appendShapeInstance(const cRect& rect, std::string& out, std::int32_t z);
bool appendShapeInstance(const cEllipse& ellipse, std::string& out, std::int32_t z);
bool appendShapeInstance(const cDrawingText& box, std::string& out, std::int32_t z);
bool appendShapeInstance(const cPolyline& polyline, std::string& out, std::int32_t z);
bool appendShapeInstance(const cPolygon& polygon, std::string& out, std::int32_t z);
// The shape whole, without a result.
template <class Shape>
void appendShape(const Shape& shape, std::string& out, std::int32_t z) {
    if (appendShapeInstance(shape, out, z)) out += '}';
}

// Append the four sides of a border, top, bottom, left, right.
// Error 91 for a null border.
void appendBorder(std::string& out, const cBorder* border);

}  // namespace detail

template <class Fragment, class Out>
void Access::appendRtf(const Fragment& object, Out& out) {
    detail::appendRtf(object, out);
}

template <class Shape>
void Access::appendShape(const Shape& shape, std::string& out, std::int32_t z) {
    detail::appendShape(shape, out, z);
}

}  // namespace velloran
