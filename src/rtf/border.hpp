// A border's four sides, as paragraphs and cells carry them.
#pragma once

#include <string>

#include <velloran/fwd.hpp>

namespace velloran::rtf {

// Append the four sides of a border, top, bottom, left, right.
// Error 91 for a null border.
void appendBorder(std::string& out, const cBorder* border);

}  // namespace velloran::rtf
