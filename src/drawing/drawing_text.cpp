#include <velloran/drawing_text.hpp>

#include "common/access.hpp"
#include "drawing/shape_attributes.hpp"

namespace velloran::detail {

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

}  // namespace velloran::detail
