// The attribute runs every shape ends with.
#pragma once

#include <string>

#include <velloran/shape.hpp>

#include "common/color.hpp"
#include "common/numtext.hpp"

namespace velloran::detail {

inline void appendRGB(std::string& out, const char* red, const char* green, const char* blue, std::int32_t color) {
    auto rgb = SplitRGB(color);
    appendWord(out, red, rgb.red);
    appendWord(out, green, rgb.green);
    appendWord(out, blue, rgb.blue);
}

inline void appendPen(std::string& out, std::int32_t width, std::int32_t color) {
    appendWord(out, "\\dplinew", width);
    appendRGB(out, "\\dplinecor", "\\dplinecog", "\\dplinecob", color);
}

// Fill, then pen.
inline void appendFillAndPen(std::string& out, const FillAndPen& shape) {
    appendRGB(out, "\\dpfillfgcr", "\\dpfillfgcg", "\\dpfillfgcb", shape.FillForeRGBColor);
    appendRGB(out, "\\dpfillbgcr", "\\dpfillbgcg", "\\dpfillbgcb", shape.FillBackRGBColor);
    appendWord(out, "\\dpfillpat", shape.FillPattern);
    appendPen(out, shape.PenWidth, shape.PenRGBColor);
}

// A box shape: the primitive's words, origin and size, fill and pen.
inline void appendBoxShape(std::string& out, const char* primitive, const BoxShape& shape) {
    appendWord(out, primitive, shape.x);
    appendWord(out, "\\dpy", shape.y);
    appendWord(out, "\\dpxsize", shape.Width);
    appendWord(out, "\\dpysize", shape.Height);
    appendFillAndPen(out, shape);
}

}  // namespace velloran::detail
