#include <velloran/paragraph.hpp>

#include <velloran/border.hpp>
#include <velloran/drawing.hpp>

#include <velloran/picture.hpp>

#include "common/access.hpp"
#include "common/files.hpp"
#include "common/numtext.hpp"
#include "picture/convert.hpp"

namespace velloran {

struct cParagraph::State {
    detail::Chunks content;
};

cParagraph::cParagraph() : Border(std::make_shared<cBorder>()), state_(std::make_unique<State>()) {}
cParagraph::cParagraph(const cParagraph& other)
    : Align(other.Align),
      Border(other.Border),
      IndentFirstLine(other.IndentFirstLine),
      IndentLeft(other.IndentLeft),
      IndentRight(other.IndentRight),
      SpaceBefore(other.SpaceBefore),
      SpaceAfter(other.SpaceAfter),
      SpaceBetweenLines(other.SpaceBetweenLines),
      state_(std::make_unique<State>(other.state())) {}
cParagraph& cParagraph::operator=(const cParagraph& other) {
    if (this != &other) *this = cParagraph(other);
    return *this;
}
cParagraph::cParagraph(cParagraph&& other) noexcept = default;
cParagraph& cParagraph::operator=(cParagraph&& other) noexcept = default;
cParagraph::~cParagraph() = default;

cParagraph::State& cParagraph::state() { return detail::stateOf(state_); }
const cParagraph::State& cParagraph::state() const { return detail::stateOf(state_); }

detail::Chunks& Access::chunks(cParagraph& paragraph) { return paragraph.state().content; }
const detail::Chunks& Access::chunks(const cParagraph& paragraph) { return paragraph.state().content; }

Boolean cParagraph::InsertText(const std::shared_ptr<cText>& Text) {
    // Rendering fails, if at all, before it writes anything.
    detail::appendTextRun(state().content.tail(), Text.get());
    return True;
}

Boolean cParagraph::InsertDrawing(const std::shared_ptr<cDrawing>& Drawing) {
    if (!Drawing) return False;
    detail::appendRtf(*Drawing, state().content.tail());
    return True;
}

Boolean cParagraph::InsertPicture(const std::shared_ptr<cPicture>& Picture) {
    if (!Picture) return False;
    const std::string file = Picture->File;
    const auto width = static_cast<float>(Picture->Width);
    const auto height = static_cast<float>(Picture->Height);
    const float scale = Picture->ScaleFactor;
    if (!detail::FileExists(file)) return False;
    // The picture group is a piece of the text of its own, written in place
    // by the conversion and taken back when the conversion fails.
    detail::Chunks& content = state().content;
    const auto mark = content.mark();
    if (!detail::ConvertPicture(content.openPiece(0), *Picture, file, width, height, scale)) {
        content.rollback(mark);
        return False;
    }
    // The group is finished as a piece that never changes again, so that
    // wrapping the paragraph puts text around it instead of moving it.
    // Finishing only spares that copy: if it fails, the text is right still.
    try {
        content.openPiece(0);
    } catch (const std::bad_alloc&) {
    }
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

// What follows the content in the wrapped paragraph: "}", indents, spacing,
// border, alignment and paragraph mark.
void appendTrailer(const cParagraph& p, std::string& out) {
    out += '}';
    auto length = [&](const char* word, std::int32_t value) {
        if (value != 0) detail::appendWord(out, word, value);
    };
    length("\\fi", p.IndentFirstLine);
    length("\\li", p.IndentLeft);
    length("\\ri", p.IndentRight);
    length("\\sb", p.SpaceBefore);
    length("\\sa", p.SpaceAfter);
    length("\\sl", p.SpaceBetweenLines);
    detail::appendBorder(out, p.Border.get());
    out += closingOf(p.Align);
}

}  // namespace

void Access::appendWrapped(const cParagraph& paragraph, std::string& out) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    const detail::Chunks& content = paragraph.state().content;
    if (!closingOf(paragraph.Align)) {
        content.appendTo(out);
        return;
    }
    out += "{\\pard\\plain";
    content.appendTo(out);
    appendTrailer(paragraph, out);
}

const detail::Chunks& Access::takeRtf(cParagraph& paragraph) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    detail::Chunks& content = paragraph.state().content;
    if (!closingOf(paragraph.Align)) return content;
    // Everything that can fail is done before the content changes.
    std::string trailer;
    appendTrailer(paragraph, trailer);
    content.prepend("{\\pard\\plain");
    content.append(trailer);
    return content;
}

}  // namespace velloran
