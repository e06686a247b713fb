// The words the shapes of a drawing share: the drawing objects' attribute
// runs, and the Word 97 shapes' properties.
#pragma once

#include <algorithm>
#include <string>

#include <velloran/velloran.hpp>

#include "common/checked.hpp"
#include "common/color.hpp"
#include "common/numtext.hpp"

namespace velloran::rtf {

// A point as a freeform's vertex, "(x,y)", after a ";" unless it is the first.
void appendVertex(std::string& out, const cPoint& point, bool first);

inline void appendRGB(std::string& out, const char* red, const char* green, const char* blue, std::int32_t color) {
    auto rgb = detail::SplitRGB(color);
    detail::appendWord(out, red, rgb.red);
    detail::appendWord(out, green, rgb.green);
    detail::appendWord(out, blue, rgb.blue);
}

inline void appendPen(std::string& out, std::int32_t width, std::int32_t color) {
    detail::appendWord(out, "\\dplinew", width);
    appendRGB(out, "\\dplinecor", "\\dplinecog", "\\dplinecob", color);
}

// Fill, then pen, of any shape but the line.
template <class Shape>
void appendFillAndPen(std::string& out, const Shape& shape) {
    appendRGB(out, "\\dpfillfgcr", "\\dpfillfgcg", "\\dpfillfgcb", shape.FillForeRGBColor);
    appendRGB(out, "\\dpfillbgcr", "\\dpfillbgcg", "\\dpfillbgcb", shape.FillBackRGBColor);
    detail::appendWord(out, "\\dpfillpat", shape.FillPattern);
    appendPen(out, shape.PenWidth, shape.PenRGBColor);
}

// A box shape (rectangle, ellipse, text box): the primitive's words, origin
// and size, fill and pen.
template <class Shape>
void appendBoxShape(std::string& out, const char* primitive, const Shape& shape) {
    detail::appendWord(out, primitive, shape.x);
    detail::appendWord(out, "\\dpy", shape.y);
    detail::appendWord(out, "\\dpxsize", shape.Width);
    detail::appendWord(out, "\\dpysize", shape.Height);
    appendFillAndPen(out, shape);
}

// The same shapes as Word 97 writes them ("\shp"), for the readers that
// place and draw those and skip the older drawing objects: LibreOffice
// stacks every object of a "\dpgroup" at the page's corner, and a text box
// followed by another shape stops it loading the document. Positions are
// twips from the column (left) and the paragraph (top), as the drawing
// objects are anchored; colours are RGB values as the shapes hold them.

// One shape property: "{\sp{\sn name}{\sv value}}".
inline void appendProperty(std::string& out, const char* name, std::int64_t value) {
    out += "{\\sp{\\sn ";
    out += name;
    out += "}{\\sv ";
    detail::appendNum(out, value);
    out += "}}";
}

// "{\shp{\*\shpinst" and the shape's box and anchoring; the shape's
// properties follow, then the instance's closing brace. z is the shape's place
// in its drawing's stacking order.
inline void appendShapeStart(std::string& out, std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom, std::int32_t z, int type) {
    detail::appendWord(out, "{\\shp{\\*\\shpinst\\shpleft", left);
    detail::appendWord(out, "\\shptop", top);
    detail::appendWord(out, "\\shpright", right);
    detail::appendWord(out, "\\shpbottom", bottom);
    // In front of the text, which flows on as if the shape were not there.
    detail::appendWord(
        out, "\\shpfhdr0\\shpbxcolumn\\shpbxignore\\shpbypara\\shpbyignore\\shpwr3\\shpwrk0\\shpfblwtxt0\\shpz", z);
    appendProperty(out, "posrelh", 2);  // column
    appendProperty(out, "posrelv", 2);  // paragraph
    appendProperty(out, "shapeType", type);
}

inline constexpr char ShapeInstanceEnd = '}';

inline void appendShapePen(std::string& out, std::int32_t width, std::int32_t color) {
    appendProperty(out, "lineColor", color & 0xFFFFFF);
    // EMU: 635 a twip; the property is 32-bit, so a wider pen is the widest.
    appendProperty(out, "lineWidth", std::min<std::int64_t>(std::int64_t{width < 0 ? 0 : width} * 635, INT32_MAX));
}

// The drawing objects' fill pattern as one colour: 0 is clear, 1 solid in
// the foreground colour, 2 to 13 shades of it over the background from 5%
// to 90%, 14 to 19 dark and 20 to 25 light hatching; other numbers fill solid.
template <class Shape>
void appendShapeFill(std::string& out, const Shape& shape) {
    if (shape.FillPattern == 0) {
        appendProperty(out, "fFilled", 0);
        return;
    }
    static constexpr int shades[] = {5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};
    int percent = 100;
    if (shape.FillPattern >= 2 && shape.FillPattern <= 13) percent = shades[shape.FillPattern - 2];
    else if (shape.FillPattern >= 14 && shape.FillPattern <= 19) percent = 50;
    else if (shape.FillPattern >= 20 && shape.FillPattern <= 25) percent = 25;
    auto fore = detail::SplitRGB(shape.FillForeRGBColor), back = detail::SplitRGB(shape.FillBackRGBColor);
    auto mix = [&](int f, int b) { return (f * percent + b * (100 - percent) + 50) / 100; };
    std::int32_t color = mix(fore.red, back.red) | mix(fore.green, back.green) << 8 | mix(fore.blue, back.blue) << 16;
    appendProperty(out, "fFilled", 1);
    appendProperty(out, "fillColor", color);
}

// A rectangle, ellipse or text box: its box however the sizes point.
template <class Shape>
void appendBoxShapeStart(std::string& out, const Shape& shape, std::int32_t z, int type) {
    std::int32_t x2 = detail::add(shape.x, shape.Width), y2 = detail::add(shape.y, shape.Height);
    appendShapeStart(out, std::min(shape.x, x2), std::min(shape.y, y2), std::max(shape.x, x2), std::max(shape.y, y2), z,
                     type);
    appendShapeFill(out, shape);
    appendShapePen(out, shape.PenWidth, shape.PenRGBColor);
}

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

}  // namespace velloran::rtf
