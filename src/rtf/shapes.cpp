// The shapes of a drawing in both forms: the drawing objects ("\\do") and
// the Word 97 shapes ("\\shp"), each shape's words from its values.
#include <velloran/drawing.hpp>
#include <velloran/drawing_text.hpp>
#include <velloran/ellipse.hpp>
#include <velloran/line.hpp>
#include <velloran/point.hpp>
#include <velloran/polygon.hpp>
#include <velloran/polyline.hpp>
#include <velloran/rect.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "rtf/run.hpp"
#include "rtf/shapes.hpp"

namespace velloran::rtf {

using detail::abs32;
using detail::appendWord;
using detail::sub;

void appendRtf(const cPoint& point, std::string& out) {
    appendWord(out, "\\dpptx", point.x);
    appendWord(out, "\\dppty", point.y);
}

void appendVertex(std::string& out, const cPoint& point, bool first) {
    if (!first) out += ';';
    appendWord(out, "(", point.x);
    appendWord(out, ",", point.y);
    out += ')';
}

void appendRtf(const cLine& line, std::string& out) {
    // Both sizes first: an overflow appends nothing.
    std::int32_t width = abs32(sub(line.x2, line.x1));
    std::int32_t height = abs32(sub(line.y2, line.y1));
    appendWord(out, "\\dpline\\dpptx", line.x1);
    appendWord(out, "\\dppty", line.y1);
    appendWord(out, "\\dpptx", line.x2);
    appendWord(out, "\\dppty", line.y2);
    appendWord(out, "\\dpx", line.x1);
    appendWord(out, "\\dpy", line.y1);
    appendWord(out, "\\dpxsize", width);
    appendWord(out, "\\dpysize", height);
    appendPen(out, line.PenWidth, line.PenRGBColor);
}

bool appendShapeInstance(const cLine& line, std::string& out, std::int32_t z) {
    appendShapeStart(out, std::min(line.x1, line.x2), std::min(line.y1, line.y2), std::max(line.x1, line.x2),
                     std::max(line.y1, line.y2), z, 20);
    // A line runs from the box's top left to its bottom right unless flipped.
    if ((line.x2 > line.x1 && line.y2 < line.y1) || (line.x2 < line.x1 && line.y2 > line.y1))
        appendProperty(out, "fFlipV", 1);
    appendProperty(out, "fFilled", 0);
    appendShapePen(out, line.PenWidth, line.PenRGBColor);
    out += ShapeInstanceEnd;
    return true;
}

void appendRtf(const cRect& shape, std::string& out) { appendBoxShape(out, "\\dprect\\dpx", shape); }

bool appendShapeInstance(const cRect& shape, std::string& out, std::int32_t z) {
    appendBoxShapeStart(out, shape, z, 1);
    out += ShapeInstanceEnd;
    return true;
}

void appendRtf(const cEllipse& shape, std::string& out) { appendBoxShape(out, "\\dpellipse\\dpx", shape); }

bool appendShapeInstance(const cEllipse& shape, std::string& out, std::int32_t z) {
    appendBoxShapeStart(out, shape, z, 3);
    out += ShapeInstanceEnd;
    return true;
}

void appendRtf(const cDrawingText& box, std::string& out) {
    // The run is the only part that can fail; render it before anything is appended.
    std::string run;
    appendTextRun(run, Access::text(box));
    appendBoxShape(out, "\\dptxbx\\dpx", box);
    out += "{\\dptxbxtext\\pard\\plain ";
    out += run;
    out += "\\par}";
}

bool appendShapeInstance(const cDrawingText& box, std::string& out, std::int32_t z) {
    std::string run;
    appendTextRun(run, Access::text(box));
    appendBoxShapeStart(out, box, z, 202);
    out += "{\\shptxt\\pard\\plain ";
    out += run;
    out += "\\par}";
    out += ShapeInstanceEnd;
    return true;
}

namespace {

template <class Shape>
void appendPoints(std::string& out, const char* primitive, const Shape& shape) {
    const auto& points = Access::points(shape);
    std::int32_t width = sub(points.maxX, points.minX);
    std::int32_t height = sub(points.maxY, points.minY);
    appendWord(out, primitive, points.count);
    out += points.rtf;
    appendWord(out, "\\dpx", points.minX);
    appendWord(out, "\\dpy", points.minY);
    appendWord(out, "\\dpxsize", width);
    appendWord(out, "\\dpysize", height);
    appendFillAndPen(out, shape);
}

// A freeform: the points as vertices in the points' own box, joined by
// lines, a polygon's first point repeated to close it. Nothing for a shape
// without points.
template <class Shape>
bool appendFreeform(std::string& out, const Shape& shape, std::int32_t z, bool closed) {
    const auto& points = Access::points(shape);
    if (points.count == 0) return false;
    std::int64_t lines = closed ? points.count : points.count - 1;
    appendShapeStart(out, points.minX, points.minY, points.maxX, points.maxY, z, 0);
    appendProperty(out, "geoLeft", points.minX);
    appendProperty(out, "geoTop", points.minY);
    appendProperty(out, "geoRight", points.maxX);
    appendProperty(out, "geoBottom", points.maxY);
    appendWord(out, "{\\sp{\\sn pVerticies}{\\sv 8;", std::int64_t{points.count} + (closed ? 1 : 0));
    out += ';';
    out += points.vertices;
    if (closed) {
        out += ';';
        out.append(points.vertices, 0, points.firstVertex);
    }
    out += "}}";
    // Segments: move to the first vertex, then lines in runs of at most 8191
    // (a segment's count has 13 bits), a polygon's close, and the end.
    std::string segments = "16384";
    std::int64_t entries = 2;
    for (std::int64_t left = lines; left > 0; left -= 8191, ++entries)
        appendWord(segments, ";", std::min<std::int64_t>(left, 8191));
    if (closed) segments += ";24577", ++entries;
    segments += ";32768";
    appendWord(out, "{\\sp{\\sn pSegmentInfo}{\\sv 2;", entries);
    out += ';';
    out += segments;
    out += "}}";
    appendShapeFill(out, shape);
    appendShapePen(out, shape.PenWidth, shape.PenRGBColor);
    out += ShapeInstanceEnd;
    return true;
}

}  // namespace

void appendRtf(const cPolyline& polyline, std::string& out) {
    appendPoints(out, "\\dppolyline\\dppolycount", polyline);
}

void appendRtf(const cPolygon& polygon, std::string& out) { appendPoints(out, "\\dppolygon\\dppolycount", polygon); }

bool appendShapeInstance(const cPolyline& polyline, std::string& out, std::int32_t z) {
    return appendFreeform(out, polyline, z, false);
}

bool appendShapeInstance(const cPolygon& polygon, std::string& out, std::int32_t z) {
    return appendFreeform(out, polygon, z, true);
}

// Word reads the drawing objects; LibreOffice places only Word 97 shapes.
// So the first shape carries the whole group of drawing objects as its
// result, which readers of shapes skip and the others read, and the other
// shapes follow it.
void appendRtf(const cDrawing& drawing, std::string& out) { Access::appendDrawing(drawing, out); }

}  // namespace velloran::rtf

namespace velloran {

void Access::appendDrawing(const cDrawing& drawing, std::string& out) {
    const ShapeList& d = drawing.shapes_.value;
    std::int32_t height = detail::abs32(detail::sub(d.maxY, d.minY));
    std::int32_t width = detail::abs32(detail::sub(d.maxX, d.minX));
    std::int32_t count = detail::add(d.count, 1);
    std::int32_t w = width == 0 ? 1 : width;
    std::int32_t h = height == 0 ? 1 : height;
    const bool shapes = !d.firstShape97.empty();
    if (shapes) {
        out += d.firstShape97;
        out += "{\\shprslt";
    }
    detail::appendWord(out, "{\\*\\do\\dobxcolumn\\dobypara\\dodhgt", height);
    detail::appendWord(out, "\\dpx0\\dpy0\\dpxsize", w);
    detail::appendWord(out, "\\dpysize", h);
    detail::appendWord(out, "\\dpgroup\\dpcount", count);
    detail::appendWord(out, "\\dpx", d.minX);
    detail::appendWord(out, "\\dpy", d.minY);
    detail::appendWord(out, "\\dpxsize", w);
    detail::appendWord(out, "\\dpysize", h);
    out += d.rtf;
    out += "\\dpendgroup\\dpx0\\dpy0\\dpxsize0\\dpysize0}";
    if (shapes) {
        out += "}}";  // the result, and the first shape
        out += d.shapes97;
    }
}

}  // namespace velloran
