#include <velloran/drawing_text.hpp>

#include "common/access.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran {

void cDrawingText::appendRtf(std::string& out) const {
    // The run is the only part that can fail; render it before anything is appended.
    std::string run;
    detail::appendTextRun(run, text_.get());
    detail::appendBoxShape(out, "\\dptxbx\\dpx", *this);
    out += "{\\dptxbxtext\\pard\\plain ";
    out += run;
    out += "\\par}";
}

void cDrawingText::appendShape(std::string& out, std::int32_t z) const {
    std::string run;
    detail::appendTextRun(run, text_.get());
    detail::appendBoxShapeStart(out, *this, z, 202);
    out += "{\\shptxt\\pard\\plain ";
    out += run;
    out += "\\par}";
    out += detail::ShapeEnd;
}

}  // namespace velloran
