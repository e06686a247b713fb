// cDrawingText: a text box holding one formatted run as a single paragraph.
#pragma once

#include <memory>

#include <velloran/shape.hpp>

namespace velloran {

class cDrawingText : public detail::BoxShape {
public:
    // Write-only: keeps a reference to the run, which is rendered only when
    // the text box is inserted into a drawing; nullptr clears it.
    void Text(const std::shared_ptr<cText>& text) { text_ = text; }

private:
    friend struct detail::Access;

    void appendRtf(std::string& out) const;
    void appendShape(std::string& out, std::int32_t z) const;

    std::shared_ptr<cText> text_;
};

}  // namespace velloran
