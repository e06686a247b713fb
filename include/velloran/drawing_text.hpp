// cDrawingText: a text box holding one formatted run as a single paragraph.
#pragma once

#include <cstdint>
#include <memory>

#include <velloran/fwd.hpp>

namespace velloran {

class cDrawingText {
public:
    std::int32_t x = 0;  // twips, the origin corner
    std::int32_t y = 0;
    std::int32_t Width = 0;  // written unchanged, negative values included
    std::int32_t Height = 0;
    std::int32_t PenWidth = 15;                // twips
    std::int32_t PenRGBColor = 0;              // black; shapes hold RGB values (red in the lowest byte)
    std::int32_t FillBackRGBColor = 0xFFFFFF;  // white
    std::int32_t FillForeRGBColor = 0;         // black
    std::int32_t FillPattern = 0;              // 0 is clear, 1 solid in the foreground colour

    // Write-only: keeps a reference to the run, which is rendered only when
    // the text box is inserted into a drawing; nullptr clears it.
    void Text(const std::shared_ptr<cText>& text) { text_ = text; }

private:
    friend struct Access;

    std::shared_ptr<cText> text_;
};

}  // namespace velloran
