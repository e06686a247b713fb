// cBorder: the four sides of a paragraph's, picture's or cell's frame.
#pragma once

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cBorder {
public:
    // Starts with the thread's BlackColorIndex as its colour (0 before the
    // thread's first cDocument).
    VELLORAN_API cBorder();

    std::int32_t TopWidth = 20;  // twips
    std::int32_t LeftWidth = 20;
    std::int32_t BottomWidth = 20;
    std::int32_t RightWidth = 20;
    Boolean TopVisible = False;  // a side is drawn only when its flag is True (-1)
    Boolean LeftVisible = False;
    Boolean BottomVisible = False;
    Boolean RightVisible = False;
    vlRTFBorderType BorderType = bSingle;
    std::int32_t BorderColorIndex;  // index into the document's colour table

    // Each side's own line style and colour index over BorderType and
    // BorderColorIndex, for paragraphs, pictures and cells alike: bsFrame and
    // a colour below 0 take the frame's. A cell reads neither BorderType nor
    // BorderColorIndex: its sides are single lines in the automatic colour
    // unless their own say otherwise.
    vlRTFBorderStyle TopStyle = bsFrame;
    vlRTFBorderStyle BottomStyle = bsFrame;
    vlRTFBorderStyle LeftStyle = bsFrame;
    vlRTFBorderStyle RightStyle = bsFrame;
    std::int32_t TopColorIndex = -1;
    std::int32_t BottomColorIndex = -1;
    std::int32_t LeftColorIndex = -1;
    std::int32_t RightColorIndex = -1;
};

}  // namespace velloran
