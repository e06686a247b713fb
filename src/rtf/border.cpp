// A paragraph's or a picture's border: its four sides in the frame's style
// and colour, or in their own.
#include <velloran/border.hpp>

#include "common/access.hpp"
#include "common/numtext.hpp"
#include "common/refs.hpp"

namespace velloran::rtf {

using detail::appendWord;

const char* borderStyle(vlRTFBorderStyle style) {
    switch (style) {
    case bsDouble: return "brdrdb";
    case bsThick: return "brdrth";
    case bsShadow: return "brdrsh";
    case bsDot: return "brdrdot";
    case bsHairline: return "brdrhair";
    case bsDash: return "brdrdash";
    // bSingle, and any value outside the enumeration, which would otherwise
    // leave a visible side without a style.
    default: return "brdrs";
    }
}

namespace {

// The frame's style as a side's: the six of vlRTFBorderType, and single
// for any other value, as it always was.
vlRTFBorderStyle frameStyle(vlRTFBorderType type) {
    return type >= bSingle && type <= bHairline ? static_cast<vlRTFBorderStyle>(type) : bsSingle;
}

void appendSide(std::string& out, const char* prefix, Boolean visible, std::int32_t width, vlRTFBorderStyle style,
                std::int32_t color, const cBorder& frame) {
    out += prefix;
    if (visible != True) {
        out += "\\brdrnone";
        return;
    }
    out += '\\';
    out += borderStyle(style != bsFrame ? style : frameStyle(frame.BorderType));
    detail::appendRef(out, "\\brdrcf", detail::Ref::Color, color >= 0 ? color : frame.BorderColorIndex);
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
    const cBorder& b = *border;
    appendSide(out, "\\brdrt", b.TopVisible, b.TopWidth, b.TopStyle, b.TopColorIndex, b);
    appendSide(out, "\\brdrb", b.BottomVisible, b.BottomWidth, b.BottomStyle, b.BottomColorIndex, b);
    appendSide(out, "\\brdrl", b.LeftVisible, b.LeftWidth, b.LeftStyle, b.LeftColorIndex, b);
    appendSide(out, "\\brdrr", b.RightVisible, b.RightWidth, b.RightStyle, b.RightColorIndex, b);
}

void appendPageBorder(std::string& out, const cBorder& b) {
    if (b.TopVisible == True) appendSide(out, "\\pgbrdrt", True, b.TopWidth, b.TopStyle, b.TopColorIndex, b);
    if (b.BottomVisible == True)
        appendSide(out, "\\pgbrdrb", True, b.BottomWidth, b.BottomStyle, b.BottomColorIndex, b);
    if (b.LeftVisible == True) appendSide(out, "\\pgbrdrl", True, b.LeftWidth, b.LeftStyle, b.LeftColorIndex, b);
    if (b.RightVisible == True) appendSide(out, "\\pgbrdrr", True, b.RightWidth, b.RightStyle, b.RightColorIndex, b);
}

}  // namespace velloran::rtf
