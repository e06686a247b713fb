#include <velloran/paragraph.hpp>

#include <algorithm>

#include <velloran/border.hpp>
#include <velloran/drawing.hpp>

#include <velloran/picture.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/files.hpp"
#include "common/lists.hpp"
#include "common/numtext.hpp"
#include "picture/convert.hpp"

namespace velloran {

struct cParagraph::State {
    detail::Chunks content;
    // The lists of the paragraphs taken in: the footnotes', and its own once
    // it has been taken.
    detail::ListSet lists;
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
      ListStyle(other.ListStyle),
      ListLevel(other.ListLevel),
      ListId(other.ListId),
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
const detail::ListSet& Access::lists(const cParagraph& paragraph) { return paragraph.state().lists; }
const detail::Chunks& Access::chunks(const cParagraph& paragraph) { return paragraph.state().content; }

Boolean cParagraph::InsertText(const std::shared_ptr<cText>& Text) {
    detail::Chunks& content = state().content;
    content.writeWhole([&] { detail::appendTextRun(content.tail(), Text.get()); });
    return True;
}

Boolean cParagraph::InsertDrawing(const std::shared_ptr<cDrawing>& Drawing) {
    if (!Drawing) return False;
    detail::Chunks& content = state().content;
    content.writeWhole([&] { detail::appendRtf(*Drawing, content.tail()); });
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

Boolean cParagraph::InsertFootnote(const std::shared_ptr<cParagraph>& Note) {
    if (!Note || Note.get() == this) return False;
    Access::Taken taken = Access::prepareTake(*Note);
    const detail::Chunks& note = taken.text();
    detail::ListSet lists = state().lists.with(taken.lists());
    // The note's last paragraph is ended by the footnote group itself: a
    // "\par" there would add an empty paragraph to every note.
    constexpr std::string_view Mark = "\\par ";
    detail::Chunks& content = state().content;
    content.writeWhole([&] {
        content.append("{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} ");
        content.appendShared(note, note.endsWith(Mark) ? Mark.size() : 0);
        content.append('}');
    });
    state().lists.take(lists);
    taken.commit();
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

// The list a paragraph is an item of, as the N of "\\lsN": bullets take the
// odd numbers and numbers the even ones, 2 * ListId - 1 and 2 * ListId; 0
// for no list item. Error 6 when the number overflows.
std::int32_t detail::listNumber(const cParagraph& p) {
    if (p.ListStyle != lBullet && p.ListStyle != lNumber) return 0;
    std::int32_t twice = detail::mul(std::max(p.ListId, 1), 2);
    return p.ListStyle == lBullet ? twice - 1 : twice;
}

namespace {

// Room for a paragraph's trailer with all but the longest values: growing
// it step by step cost more than writing it.
constexpr std::size_t TrailerRoom = 160;

// What follows the content in the wrapped paragraph: "}", indents, spacing,
// list, border, alignment and paragraph mark.
void appendTrailer(const cParagraph& p, std::string& out) {
    const std::int32_t list = detail::listNumber(p);
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
    if (list != 0) {
        detail::appendWord(out, "\\ls", list);
        detail::appendWord(out, "\\ilvl", std::clamp(p.ListLevel, 0, 8));
    }
    detail::appendBorder(out, p.Border.get());
    out += closingOf(p.Align);
}

// The opening of the wrapped paragraph. A list item names its list here
// too: pandoc and AbiWord take a paragraph's list from its start, Word from
// its mark.
std::string openingOf(const cParagraph& p) {
    std::string out = "{\\pard\\plain";
    if (std::int32_t list = detail::listNumber(p)) {
        detail::appendWord(out, "\\ls", list);
        detail::appendWord(out, "\\ilvl", std::clamp(p.ListLevel, 0, 8));
    }
    return out;
}

}  // namespace

void Access::appendWrapped(const cParagraph& paragraph, std::string& out) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    const detail::Chunks& content = paragraph.state().content;
    if (!closingOf(paragraph.Align)) {
        content.appendTo(out);
        return;
    }
    out += openingOf(paragraph);
    content.appendTo(out);
    appendTrailer(paragraph, out);
}

Access::Taken Access::prepareTake(cParagraph& paragraph) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    Taken taken(paragraph);
    const detail::Chunks& content = paragraph.state().content;
    if (!closingOf(paragraph.Align)) return taken;
    std::string opening = openingOf(paragraph);
    // A list item belongs to its own list from now on.
    if (std::int32_t list = detail::listNumber(paragraph)) {
        taken.lists_ = paragraph.state().lists;
        taken.lists_.add(list);
        taken.listed_ = true;
    }
    taken.text_ = content.wrapped(opening, TrailerRoom, [&](std::string& out) { appendTrailer(paragraph, out); });
    taken.wrapped_ = true;
    return taken;
}

const detail::Chunks& Access::takeRtf(cParagraph& paragraph) {
    prepareTake(paragraph).commit();
    return paragraph.state().content;
}

const detail::Chunks& Access::Taken::text() const { return wrapped_ ? text_ : paragraph_.state().content; }

const detail::ListSet& Access::Taken::lists() const { return listed_ ? lists_ : paragraph_.state().lists; }

void Access::Taken::commit() noexcept {
    // A taken paragraph has its state: taking read it.
    if (wrapped_) paragraph_.state_->content = std::move(text_);
    if (listed_) paragraph_.state_->lists.take(lists_);
    wrapped_ = listed_ = false;
}

}  // namespace velloran
