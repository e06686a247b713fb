#include <velloran/paragraph.hpp>

#include <algorithm>
#include <type_traits>

#include <velloran/border.hpp>
#include <velloran/drawing.hpp>

#include <velloran/picture.hpp>

#include "common/access.hpp"
#include "common/refs.hpp"
#include "common/checked.hpp"
#include "common/files.hpp"
#include "common/numtext.hpp"
#include "picture/convert.hpp"
#include "rtf/paragraph.hpp"

namespace velloran {

struct cParagraph::State {
    // What the paragraph holds. Once taken by a page, cell or note, that is
    // a paragraph of its own, opened and ended by its mark: the opening and
    // the mark are not held in the content but written for the place the
    // text goes to. Whatever the paragraph takes in after that follows the
    // mark, which is written into the content first.
    detail::Chunks content;
    bool opened = false;
    bool marked = false;

    rtf::ParagraphText text() const { return {opened, content, marked}; }

    // Append to the content, after the mark it still lacks. A write that
    // fails, or gives false, leaves the content as it was.
    template <class Write>
    bool write(Write&& write) {
        const auto before = content.mark();
        bool kept = true;
        content.writeWhole([&] {
            if (marked) content.append(rtf::Mark);
            if constexpr (std::is_same_v<decltype(write()), bool>) kept = write();
            else write();
            if (!kept) content.rollback(before);
        });
        if (kept) marked = false;
        return kept;
    }
};

cParagraph::cParagraph() : Border(std::make_shared<cBorder>()), state_(std::make_unique<State>()) {}
cParagraph::cParagraph(const cParagraph&) = default;
cParagraph& cParagraph::operator=(const cParagraph& other) {
    if (this != &other) *this = cParagraph(other);
    return *this;
}
cParagraph::cParagraph(cParagraph&& other) noexcept = default;
cParagraph& cParagraph::operator=(cParagraph&& other) noexcept = default;
cParagraph::~cParagraph() = default;

cParagraph::State& cParagraph::state() { return detail::stateOf(state_); }
const cParagraph::State& cParagraph::state() const { return detail::stateOf(state_); }

const detail::Chunks& Access::chunks(const cParagraph& paragraph) { return paragraph.state().content; }

std::string Access::content(const cParagraph& paragraph) {
    std::string out;
    rtf::appendParagraph(out, paragraph.state().text());
    return detail::resolved(out);
}

Boolean cParagraph::InsertText(const std::shared_ptr<cText>& Text) {
    State& s = state();
    s.write([&] { detail::appendTextRun(s.content.tail(), Text.get()); });
    return True;
}

Boolean cParagraph::InsertDrawing(const std::shared_ptr<cDrawing>& Drawing) {
    if (!Drawing) return False;
    State& s = state();
    s.write([&] { detail::appendRtf(*Drawing, s.content.tail()); });
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
    State& s = state();
    detail::Chunks& content = s.content;
    if (!s.write([&] { return detail::ConvertPicture(content.openPiece(0), *Picture, file, width, height, scale); }))
        return False;
    // The group is finished as a piece that never changes again, so that
    // wrapping the paragraph puts text around it instead of moving it.
    // Finishing only spares that copy: if it fails, the text is right still.
    try {
        content.openPiece(0);
    } catch (const std::bad_alloc&) {
    }
    return True;
}

Boolean cParagraph::AddTabStop(std::int32_t Position, vlRTFTabAlignment Alignment, vlRTFTabLeader Leader) {
    if (Position < 0) throw Error(errors::InvalidArgument);
    tabStops_.push_back({Position, Alignment, Leader});
    return True;
}

Boolean cParagraph::ClearTabStops() {
    tabStops_.clear();
    return True;
}

Boolean cParagraph::InsertFootnote(const std::shared_ptr<cParagraph>& Note) {
    if (!Note || Note.get() == this) return False;
    Access::Taken taken = Access::prepareTake(*Note);
    State& s = state();
    s.write([&] { rtf::appendFootnote(s.content, taken.text()); });
    taken.commit();
    return True;
}

// The list a paragraph is an item of, as the N of "\\lsN": bullets take the
// odd numbers and numbers the even ones, 2 * ListId - 1 and 2 * ListId; 0
// for no list item. Error 6 when the number overflows.
std::int32_t detail::listNumber(const cParagraph& p) {
    if (p.ListStyle != lBullet && p.ListStyle != lNumber) return 0;
    std::int32_t twice = detail::mul(std::max(p.ListId, 1), 2);
    return p.ListStyle == lBullet ? twice - 1 : twice;
}

void Access::appendWrapped(const cParagraph& paragraph, std::string& out) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    const rtf::ParagraphText text = paragraph.state().text();
    if (!rtf::alignmentWord(paragraph.Align)) {
        rtf::appendParagraph(out, text);
        return;
    }
    rtf::appendWrapped(out, paragraph, text);
}

Access::Taken Access::prepareTake(cParagraph& paragraph) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    Taken taken(paragraph);
    const cParagraph::State& s = paragraph.state();
    if (!rtf::alignmentWord(paragraph.Align)) return taken;
    // The content becomes a paragraph of its own, the one it was (opening
    // and mark included) inside.
    std::string start;
    rtf::appendWrapStart(start, paragraph, s.opened);
    taken.text_ = s.content.wrapped(start, rtf::ParagraphEndRoom,
                                    [&](std::string& out) { rtf::appendWrapEnd(out, paragraph, s.marked); });
    taken.wrapped_ = true;
    return taken;
}

detail::Chunks Access::takeRtf(cParagraph& paragraph) {
    prepareTake(paragraph).commit();
    std::string out;
    rtf::appendParagraph(out, paragraph.state().text());
    return detail::Chunks(std::move(out));
}

rtf::ParagraphText Access::Taken::text() const {
    if (wrapped_) return {true, text_, true};
    return paragraph_.state().text();
}

void Access::Taken::commit() noexcept {
    // A taken paragraph has its state: taking read it.
    if (wrapped_) {
        cParagraph::State& s = *paragraph_.state_;
        s.content = std::move(text_);
        s.opened = s.marked = true;
    }
    wrapped_ = false;
}

}  // namespace velloran
