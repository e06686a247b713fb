#include <velloran/paragraph.hpp>

#include <algorithm>
#include <cstring>
#include <type_traits>

#include <velloran/border.hpp>
#include <velloran/drawing.hpp>

#include <velloran/picture.hpp>

#include "common/access.hpp"
#include "common/refs.hpp"
#include "common/checked.hpp"
#include "common/files.hpp"
#include "common/numtext.hpp"
#include "rtf/shapes.hpp"
#include "picture/convert.hpp"
#include "common/records.hpp"
#include "rtf/paragraph.hpp"
#include "rtf/run.hpp"
#include "rtf/walk.hpp"

namespace velloran {

struct cParagraph::State {
    // What the paragraph holds, as records. Once taken by a page, cell or
    // note, that is a paragraph of its own, opened and ended by its mark:
    // the opening and the mark are not held but written for the place the
    // paragraph goes to. Whatever the paragraph takes in after that follows
    // the mark, which is written into the content first.
    detail::Chunks content;
    bool opened = false;
    bool marked = false;
    std::uint8_t holds = 0;  // what the content holds that the writer gathers

    rtf::ParagraphText text() const { return {opened, content, marked, holds}; }

    // Append to the content, after the mark it still lacks. A write that
    // fails, or gives false, leaves the content as it was.
    template <class Write>
    bool write(Write&& write) {
        const auto before = content.mark();
        bool kept = true;
        content.writeWhole([&] {
            if (marked) content.append(static_cast<char>(detail::Tag::Mark));
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

rtf::ParagraphText Access::text(const cParagraph& paragraph) { return paragraph.state().text(); }

namespace {

// A run's record: its bytes and where its text lies in them (a table of
// contents: its result, its text's place in it); nothing for a run that
// writes nothing. The bytes are written first, where the record goes, in
// room made for them and the record's numbers, which are put in the room
// kept in front (a plain run's, which most take) once they are known.
bool appendRunRecord(detail::Chunks& content, const cText* run) {
    if (!run) return false;
    // More than the run can take besides its text: its format and field
    // words, and its addresses as escaped.
    const std::size_t room = Access::escapedText(*run).size() + run->RawRtf().size() +
                             4 * (run->Bookmark.size() + run->Link.size() + run->LinkToBookmark.size()) + 512;
    std::string& out = content.tail(room);
    if (out.capacity() - out.size() < room) out.reserve(std::max(out.size() + room, 2 * out.capacity()));
    // A tag and three lengths of one byte: a plain run of fewer than 128
    // bytes of words and of text.
    constexpr std::size_t Kept = 4;
    const std::size_t start = out.size();
    out.append(Kept, '\0');
    const rtf::RunPlaces places = rtf::appendTextRun(out, run);
    if (places.size == 0) {
        out.resize(start);
        return false;
    }
    using detail::Tag;
    detail::Record header(places.contents ? Tag::Contents : places.bookmark.second > 0 ? Tag::BookmarkedRun : Tag::Run);
    if (places.contents) {
        header.number(static_cast<std::uint64_t>(places.contents))
            .number(places.result.first)
            .number(places.text.first - places.result.first)
            .number(places.text.second - places.text.first)
            .number(places.result.second - places.text.second)
            .number(places.size - places.result.second);
    } else {
        if (places.bookmark.second > 0)
            header.number(places.bookmark.first).number(places.bookmark.second - places.bookmark.first);
        header.number(places.text.first)
            .number(places.text.second - places.text.first)
            .number(places.size - places.text.second);
    }
    const std::string_view numbers = header.view();
    if (numbers.size() == Kept) std::memcpy(out.data() + start, numbers.data(), Kept);
    else out.replace(start, Kept, numbers.data(), numbers.size());
    return places.contents != 0;
}

}  // namespace

std::string Access::content(const cParagraph& paragraph) {
    std::string out;
    rtf::appendContent(out, paragraph.state().text());
    return detail::resolved(out);
}

Boolean cParagraph::InsertText(const std::shared_ptr<cText>& Text) {
    State& s = state();
    bool contents = false;
    s.write([&] { contents = appendRunRecord(s.content, Text.get()); });
    if (contents) s.holds |= detail::HoldsContents;
    return True;
}

Boolean cParagraph::InsertDrawing(const std::shared_ptr<cDrawing>& Drawing) {
    if (!Drawing) return False;
    State& s = state();
    s.write([&] {
        std::string& out = s.content.tail();
        out += static_cast<char>(detail::Tag::Leaf);
        const std::size_t start = detail::keepLength(out);
        rtf::appendRtf(*Drawing, out);
        detail::fillLength(out, start);
    });
    return True;
}

Boolean cParagraph::InsertPicture(const std::shared_ptr<cPicture>& Picture) {
    if (!Picture) return False;
    const std::string file = Picture->File;
    const auto width = static_cast<float>(Picture->Width);
    const auto height = static_cast<float>(Picture->Height);
    const float scale = Picture->ScaleFactor;
    if (!detail::FileExists(file)) return False;
    // The picture group is written into a piece of its own, which the
    // content then shares: wrapping the paragraph puts records around it
    // instead of moving it.
    detail::Chunks group;
    if (!detail::ConvertPicture(group.openPiece(0), *Picture, file, width, height, scale)) return False;
    State& s = state();
    s.write([&] {
        s.content.append(detail::Record(detail::Tag::Leaf).number(group.size()).view());
        s.content.appendShared(group);
    });
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

Boolean cParagraph::InsertFootnote(const std::shared_ptr<cParagraph>& Note) { return insertNote(Note, false); }
Boolean cParagraph::InsertEndnote(const std::shared_ptr<cParagraph>& Note) { return insertNote(Note, true); }

Boolean cParagraph::insertNote(const std::shared_ptr<cParagraph>& Note, bool endnote) {
    if (!Note || Note.get() == this) return False;
    rtf::Taken taken = Access::take(*Note);
    State& s = state();
    const rtf::ParagraphText note = taken.text();
    s.write([&] {
        s.content.append(detail::Record(detail::Tag::Footnote).flag(note.opened).flag(endnote).view());
        s.content.appendShared(note.content);
        s.content.append(static_cast<char>(detail::Tag::End));
    });
    s.holds |= note.holds;
    Access::keep(*Note, std::move(taken));
    return True;
}

// The list a paragraph is an item of, as the N of "\\lsN": bullets take the
// odd numbers and numbers the even ones, 2 * ListId - 1 and 2 * ListId; 0
// for no list item. Error 6 when the number overflows.
std::int32_t rtf::listNumber(const cParagraph& p) {
    if (p.ListStyle != lBullet && p.ListStyle != lNumber) return 0;
    std::int32_t twice = detail::mul(std::max(p.ListId, 1), 2);
    return p.ListStyle == lBullet ? twice - 1 : twice;
}

rtf::ParagraphText rtf::Taken::text() const {
    return own ? ParagraphText{true, items, true, holds} : Access::text(*paragraph);
}

rtf::Taken Access::take(const cParagraph& paragraph) {
    if (!paragraph.Border) throw Error(errors::ObjectNotSet);
    rtf::Taken taken{&paragraph, false, {}, 0};
    if (!rtf::alignmentWord(paragraph.Align)) return taken;
    const cParagraph::State& s = paragraph.state();
    // The content becomes a paragraph of its own, the one it was (opening
    // and mark) inside: its facts and start words before, its end words after.
    const std::int32_t list = rtf::listNumber(paragraph);
    const std::int32_t level = paragraph.OutlineLevel;
    std::string before(detail::Record(detail::Tag::Paragraph)
                           .number(static_cast<std::uint32_t>(list))
                           .number(level >= 1 && level <= 9 ? static_cast<std::uint32_t>(level) : 0)
                           .number(static_cast<std::uint32_t>(std::max(paragraph.StyleIndex, 0)))
                           .flag(s.opened)
                           .flag(s.marked)
                           .view());
    const std::size_t start = detail::keepLength(before);
    rtf::appendParagraphStart(before, paragraph);
    detail::fillLength(before, start);
    taken.items = s.content.wrapped(before, rtf::ParagraphEndRoom, [&](std::string& out) {
        out += static_cast<char>(detail::Tag::ParagraphEnd);
        const std::size_t at = detail::keepLength(out);
        rtf::appendParagraphEnd(out, paragraph);
        detail::fillLength(out, at);
    });
    taken.own = true;
    taken.holds = s.holds;
    if (list) taken.holds |= detail::HoldsLists;
    if ((level >= 1 && level <= 9) || paragraph.StyleIndex > 0) taken.holds |= detail::HoldsHeadings;
    return taken;
}

void Access::keep(cParagraph& paragraph, rtf::Taken&& taken) noexcept {
    // A taken paragraph has its state: taking read it.
    if (!taken.own) return;
    cParagraph::State& s = *paragraph.state_;
    s.content = std::move(taken.items);
    s.opened = s.marked = true;
    s.holds = taken.holds;
}

}  // namespace velloran
