#include <velloran/paragraph.hpp>

#include <velloran/border.hpp>
#include <velloran/drawing.hpp>

#include "common/access.hpp"
#include "common/numtext.hpp"

namespace velloran {

cParagraph::cParagraph() : Border(std::make_shared<cBorder>()) {}

Boolean cParagraph::InsertText(const std::shared_ptr<cText>& Text) {
    detail::appendTextRun(contentRtf_, Text.get());
    return True;
}

Boolean cParagraph::InsertDrawing(const std::shared_ptr<cDrawing>& Drawing) {
    if (!Drawing) return False;
    detail::Access::appendRtf(*Drawing, contentRtf_);
    return True;
}

void cParagraph::appendWrapped(std::string& out) const {
    if (!Border) throw Error(errors::ObjectNotSet);
    const char* closing;
    switch (Align) {
    case aLeft: closing = "\\ql\\par "; break;
    case aRight: closing = "\\qr\\par "; break;
    case aCenter: closing = "\\qc\\par "; break;
    case aJustified: closing = "\\qj\\par "; break;
    default:
        // An alignment outside the enumeration leaves the content unwrapped.
        out += contentRtf_;
        return;
    }
    out += "{\\pard\\plain";
    out += contentRtf_;
    out += '}';
    auto length = [&](const char* word, std::int32_t value) {
        if (value != 0) detail::appendWord(out, word, value);
    };
    length("\\fi", IndentFirstLine);
    length("\\li", IndentLeft);
    length("\\ri", IndentRight);
    length("\\sb", SpaceBefore);
    length("\\sa", SpaceAfter);
    length("\\sl", SpaceBetweenLines);
    detail::appendBorder(out, Border.get());
    out += closing;
}

const std::string& cParagraph::takeRtf() {
    std::string wrapped;
    wrapped.reserve(contentRtf_.size() + 160);
    appendWrapped(wrapped);
    contentRtf_.swap(wrapped);
    return contentRtf_;
}

}  // namespace velloran
