// A paragraph's border: its four sides in one style and colour.
#include <velloran/border.hpp>

#include "common/access.hpp"
#include "common/numtext.hpp"
#include "common/refs.hpp"

namespace velloran::rtf {

using detail::appendWord;
namespace {

const char* styleWord(vlRTFBorderType type) {
    switch (type) {
    case bDouble: return "brdrdb";
    case bThick: return "brdrth";
    case bShadow: return "brdrsh";
    case bDot: return "brdrdot";
    case bHairline: return "brdrhair";
    // bSingle, and any value outside the enumeration, which would otherwise
    // leave a visible side without a style.
    default: return "brdrs";
    }
}

void appendSide(std::string& out, const char* prefix, Boolean visible, std::int32_t width, const char* style,
                std::int32_t color) {
    out += prefix;
    if (visible != True) {
        out += "\\brdrnone";
        return;
    }
    out += '\\';
    out += style;
    detail::appendRef(out, "\\brdrcf", detail::Ref::Color, color);
    appendWord(out, "\\brdrw", width);
}

}  // namespace

void appendBorder(std::string& out, const cBorder* border) {
    if (!border) throw Error(errors::ObjectNotSet);
    // Most paragraphs have no border: their words in one step.
    if (border->TopVisible != True && border->BottomVisible != True && border->LeftVisible != True &&
        border->RightVisible != True) {
        out += "\\brdrt\\brdrnone\\brdrb\\brdrnone\\brdrl\\brdrnone\\brdrr\\brdrnone";
        return;
    }
    const char* style = styleWord(border->BorderType);
    std::int32_t color = border->BorderColorIndex;
    appendSide(out, "\\brdrt", border->TopVisible, border->TopWidth, style, color);
    appendSide(out, "\\brdrb", border->BottomVisible, border->BottomWidth, style, color);
    appendSide(out, "\\brdrl", border->LeftVisible, border->LeftWidth, style, color);
    appendSide(out, "\\brdrr", border->RightVisible, border->RightWidth, style, color);
}

}  // namespace velloran::rtf
