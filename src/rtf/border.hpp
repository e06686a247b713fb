// A border's four sides, as paragraphs and cells carry them.
#pragma once

#include <string>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran::rtf {

// A line style's word without its backslash: "brdrs" for bsSingle and for a
// value outside the enumeration (bsFrame among them), which would otherwise
// leave a visible side without a style.
const char* borderStyle(vlRTFBorderStyle style);

// Append the four sides of a border, top, bottom, left, right.
// Error 91 for a null border.
void appendBorder(std::string& out, const cBorder* border);
// The visible sides of a page's border (\pgbrdrt ...), none for the others.
void appendPageBorder(std::string& out, const cBorder& border);

}  // namespace velloran::rtf
