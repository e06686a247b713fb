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

    // The text a page has taken from its children; a cell's paragraphs, the
    // last without its ending, which the table writes; a paragraph's content
    // without its opening and mark.
    static const detail::Chunks& paragraphs(const cCell& cell);
    static detail::Chunks& chunks(cPage& page);
    static const detail::Chunks& chunks(const cPage& page);
    static const detail::Chunks& chunks(const cParagraph& paragraph);
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

    // The wrapped paragraph (group, indents, border, alignment and paragraph
    // mark) for its current content, appended to out; changes nothing. Error
    // 91 when Border is null.
    static void appendWrapped(const cParagraph& paragraph, std::string& out);
    // The paragraph as a page, cell or note takes it: its wrapped text, made
    // apart from it. Once the parent has taken it, commit() makes it the
    // paragraph's content (a second taking nests the first); until then the
    // paragraph is as it was.
    class Taken {
    public:
        explicit Taken(cParagraph& paragraph) : paragraph_(paragraph) {}
        rtf::ParagraphText text() const;
        void commit() noexcept;

    private:
        friend struct Access;
        cParagraph& paragraph_;
        bool wrapped_ = false;
        detail::Chunks text_;
    };
    // Error 91 when Border is null.
    static Taken prepareTake(cParagraph& paragraph);
    // The paragraph taken at once: its wrapped text replaces its content,
    // which is returned as a page takes it.
    static detail::Chunks takeRtf(cParagraph& paragraph);
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
// The page's group without the break after it, which the document writes.
void appendContent(const cPage& page, Chunks& out);
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

// Append one run as "{" + formatting + " " + escaped text + "}",
// or nothing for a null run or an empty text. Error 6 when the size overflows.
void appendTextRun(std::string& out, const cText* run);

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
