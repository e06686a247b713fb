#include <velloran/paragraph.hpp>

#include <velloran/border.hpp>
#include <velloran/drawing.hpp>

#include "common/access.hpp"
#include "common/numtext.hpp"

namespace velloran {

cParagraph::cParagraph() : Border(std::make_shared<cBorder>()) {}

Boolean cParagraph::InsertText(const std::shared_ptr<cText>& Text) {
    // Rendering fails, if at all, before it writes anything.
    detail::appendTextRun(contentRtf_.tail(), Text.get());
    return True;
}

Boolean cParagraph::InsertDrawing(const std::shared_ptr<cDrawing>& Drawing) {
    if (!Drawing) return False;
    detail::Access::appendRtf(*Drawing, contentRtf_.tail());
    return True;
}

namespace {

// The closing words of a wrapped paragraph, or nothing for an alignment
// outside the enumeration, which leaves the content unwrapped.
const char* closingOf(vlRTFAlignment align) {
    switch (align) {
    case aLeft: return "\\ql\\par ";
    case aRight: return "\\qr\\par ";
    case aCenter: return "\\qc\\par ";
    case aJustified: return "\\qj\\par ";
    default: return nullptr;
    }
}

}  // namespace

void cParagraph::appendWrapped(std::string& out) const {
    if (!Border) throw Error(errors::ObjectNotSet);
    if (!closingOf(Align)) {
        contentRtf_.appendTo(out);
        return;
    }
    out += "{\\pard\\plain";
    contentRtf_.appendTo(out);
    appendTrailer(out);
}

void cParagraph::appendTrailer(std::string& out) const {
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
    out += closingOf(Align);
}

const detail::Chunks& cParagraph::takeRtf() {
    if (!Border) throw Error(errors::ObjectNotSet);
    if (!closingOf(Align)) return contentRtf_;
    // Everything that can fail is done before the content changes.
    std::string trailer;
    appendTrailer(trailer);
    contentRtf_.prepend("{\\pard\\plain");
    contentRtf_.append(trailer);
    return contentRtf_;
}

}  // namespace velloran
