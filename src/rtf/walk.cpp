#include "rtf/walk.hpp"

#include <algorithm>
#include <stdexcept>

#include "common/numtext.hpp"
#include "rtf/header.hpp"

namespace velloran::rtf {

using detail::Cursor;
using detail::Tag;

namespace {

// Readers that follow a paragraph's reset (pandoc, unrtf) take a cell's
// paragraph out of the table unless "\intbl" stands right after it: they
// end the table at every cell, and pandoc nests the table so far in each.
constexpr std::string_view CellReset = "\\pard\\intbl";
constexpr std::string_view CellStart = "\\pard\\plain\\intbl";
constexpr std::string_view OpenedInTable = "{\\pard\\plain\\intbl";
constexpr std::string_view CellStartOpened = "\\pard\\plain\\intbl{\\pard\\plain\\intbl";

[[noreturn]] void outOfOrder() { throw std::logic_error("records out of order"); }

inline void expect(Cursor& in, Tag tag) {
    if (in.tag() != tag) [[unlikely]]
        outOfOrder();
}

bool endsHere(Cursor& in) {
    if (in.done()) return true;
    const Tag next = in.peek();
    return next == Tag::End || next == Tag::ParagraphEnd;
}

void appendBookmarkWord(std::string& out, const char* word, const std::string& name) {
    out += word;
    out += name;
    out += '}';
}

}  // namespace

void Gathered::nameBookmarks() {
    std::int32_t levels = 0;
    for (const Contents& c : contents) levels = std::max(levels, c.levels);
    std::int32_t written = 0;
    for (Heading& h : headings) {
        if (h.level > levels || !h.bookmark.empty()) continue;
        h.bookmark = "_Toc";
        detail::appendNum(h.bookmark, ++written);
        h.written = true;
    }
}

std::int32_t Walker::headingLevel(std::int32_t outline, std::int32_t style) const {
    if (outline) return outline;
    if (style <= 0 || !styles_ || static_cast<std::size_t>(style) > styles_->size()) return 0;
    return rtf::headingLevel((*styles_)[static_cast<std::size_t>(style) - 1]);
}

void Walker::items(Cursor& in) {
    while (!endsHere(in)) item(in);
}

// Tested in turn, the most common first: a table of jumps costs a guess
// the processor often gets wrong.
void Walker::item(Cursor& in) {
    const Tag tag = in.tag();
    if (tag == Tag::Run) run(in, false);
    else if (tag == Tag::Paragraph) ownParagraph(in);
    else if (tag == Tag::Leaf) text(in, in.length());
    else if (tag == Tag::Mark) word(Mark);
    else if (tag == Tag::BookmarkedRun) run(in, true);
    else if (tag == Tag::Contents) contents(in);
    else if (tag == Tag::Footnote) footnote(in);
    else throw std::logic_error("a record out of place in a paragraph");
}

// A run is written as it is; a heading's runs give it their text and the
// first of their bookmarks.
void Walker::run(Cursor& in, bool bookmarked) {
    std::size_t mark = 0, name = 0;
    if (bookmarked) {
        mark = in.length();
        name = in.length();
    }
    const std::size_t before = in.length(), length = in.length(), after = in.length();
    if (!gathering_ || heading_ == None) {
        text(in, before + length + after);
        return;
    }
    Heading& heading = gathering_->headings[heading_];
    auto keep = [](std::string& to) { return [&to](std::string_view piece) { to.append(piece); }; };
    if (bookmarked && heading.bookmark.empty()) {
        in.skip(mark);
        in.bytes(name, keep(heading.bookmark));
        in.skip(before - mark - name);
    } else {
        in.skip(before);
    }
    in.bytes(length, keep(heading.text));
    in.skip(after);
}

// A table of contents of the body lists the body's headings of the levels
// it asks for, in its result; the host's text stays where there are none.
void Walker::contents(Cursor& in) {
    const auto levels = in.int32();
    const std::size_t before = in.length(), format = in.length(), length = in.length(), rest = in.length(),
                      after = in.length();
    if (!body_) {
        text(in, before + format + length + rest + after);
        return;
    }
    if (gathering_) {
        gathering_->contents.push_back({levels, {}, false});
        text(in, before + format + length + rest + after);
        ++contents_;
        return;
    }
    const Contents& c = g_.contents[contents_++];
    bool any = false;
    for (const Heading& h : g_.headings) any = any || h.level <= levels;
    text(in, before);
    if (!any) {
        text(in, format + length + rest);
    } else {
        std::string words;
        in.bytes(format, [&](std::string_view piece) { words.append(piece); });
        in.skip(length + rest);
        entries(c, words);
    }
    text(in, after);
}

// Each entry a paragraph of the contents' paragraph's words, indented by its
// level, holding a link to its heading in the run's format; the last ends
// with the contents' paragraph. The words come before the text: LibreOffice
// and AbiWord take a paragraph's words inside a field's result only there.
void Walker::entries(const Contents& c, std::string_view format) {
    bool first = true;
    for (const Heading& h : g_.headings) {
        if (h.level > c.levels) continue;
        std::string entry(first ? "\\pard" : "\\par \\pard");
        first = false;
        entry += c.words;
        detail::appendWord(entry, "\\li", std::int64_t{240} * (h.level - 1));
        entry += " {\\field{\\*\\fldinst {HYPERLINK \\\\l \"";
        entry += h.bookmark;
        entry += "\"}}{\\fldrslt ";
        entry += format;
        entry += h.text;
        entry += "}}}";
        word(entry);
    }
}

// A paragraph of its own: its start words, the paragraph it was (opening
// and mark) and its end words. A heading of the body is gathered with its
// text, and written with the bookmark the contents link to when it has none.
void Walker::ownParagraph(Cursor& in) {
    const auto list = in.int32();
    const auto outline = in.int32();
    const auto style = in.int32();
    const bool opened = in.flag(), marked = in.flag();
    const std::size_t start = in.length();
    if (gathering_ && list > 0) gathering_->lists.add(list);
    ++depth_;
    const std::size_t contentsFrom = g_.contents.size();
    bool heads = false;
    if (body_ && footnotes_ == 0 && heading_ == None) {
        if (std::int32_t level = headingLevel(outline, style)) {
            heads = true;
            heading_ = headings_++;
            headingDepth_ = depth_;
            if (gathering_) gathering_->headings.push_back({level, {}, {}, false});
        }
    }
    const Heading* written = heads && out_ && g_.headings[heading_].written ? &g_.headings[heading_] : nullptr;
    text(in, start);
    if (opened) word(Opening);
    std::string bookmark;
    if (written) {
        appendBookmarkWord(bookmark, "{\\*\\bkmkstart ", written->bookmark);
        word(bookmark);
    }
    items(in);
    expect(in, Tag::ParagraphEnd);
    const std::size_t end = in.length();
    if (written) {
        bookmark.clear();
        appendBookmarkWord(bookmark, "{\\*\\bkmkend ", written->bookmark);
        word(bookmark);
    }
    if (marked) word(Mark);
    if (gathering_ && body_ && g_.contents.size() > contentsFrom) {
        // The words of the contents' paragraph, without the brace that ends
        // its group, for each entry.
        std::string words;
        in.bytes(end, [&](std::string_view piece) { words.append(piece); });
        for (std::size_t k = contentsFrom; k < g_.contents.size(); ++k) {
            Contents& c = gathering_->contents[k];
            if (c.ended) continue;
            c.words = words.substr(1);
            c.ended = true;
        }
    } else {
        text(in, end);
    }
    if (heads) heading_ = None;
    --depth_;
}

void Walker::footnote(Cursor& in) {
    const bool opened = in.flag(), endnote = in.flag();
    word(endnote ? "{\\super\\chftn}{\\footnote\\ftnalt\\pard\\plain{\\super\\chftn} "
                 : "{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} ");
    if (opened) word(Opening);
    ++footnotes_;
    items(in);
    --footnotes_;
    expect(in, Tag::End);
    word("}");
}

void Walker::blocks(Cursor& in) {
    while (!in.done() && in.peek() != Tag::End) {
        switch (in.tag()) {
        case Tag::Placed: placed(in); break;
        case Tag::Table: table(in); break;
        default: throw std::logic_error("a record out of place on a page");
        }
    }
}

// A paragraph on a page, and the reset after it that keeps its indents,
// spacing and alignment (written after its group) from reaching the next.
void Walker::placed(Cursor& in) {
    const bool opened = in.flag(), marked = in.flag();
    if (opened) word(Opening);
    items(in);
    expect(in, Tag::End);
    word(marked ? "\\par \\pard" : "\\pard");
}

// A paragraph in a cell is opened inside the table, without its mark: the
// mark and the reset come once another paragraph follows, and "\cell" ends
// the last one instead (a mark there would end one more, empty paragraph).
void Walker::cellParagraphs(Cursor& in, bool ended, bool inRow) {
    bool first = true, marked = false;
    while (!in.done() && in.peek() != Tag::End) {
        expect(in, Tag::Placed);
        const bool opened = in.flag();
        if (!first) {
            if (marked) word(Mark);
            word(CellReset);
        }
        marked = in.flag();
        // The cell's own start and its first paragraph's opening are one
        // piece: most cells hold one paragraph.
        if (first && inRow && breakBefore_) {
            word(CellStart);
            pageBreak();
            if (opened) word(OpenedInTable);
        } else if (first && inRow) {
            word(opened ? CellStartOpened : CellStart);
        } else if (opened) {
            word(OpenedInTable);
        }
        first = false;
        items(in);
        expect(in, Tag::End);
    }
    if (first && inRow) {
        word(CellStart);
        pageBreak();
    }
    if (ended && !first) {
        if (marked) word(Mark);
        word(CellReset);
    }
}

// A table's rows, each line ended by CR LF: the row's words and its cells'
// definitions, then each cell's paragraphs; a merge's lower rows are empty,
// its text stands in its first. A table that paginates itself ends after
// its page's last row (that row's words with the rule under it, where it
// has them) and goes on after a page break: its texts, and its header rows
// again, their first paragraph breaking the page where no text above them does.
void Walker::table(Cursor& in) {
    TablePages pages;
    if (in.flag()) {
        pages.perPage = in.number();
        pages.rows = in.number();
        pages.headers = std::min(in.number(), pages.rows);
        const std::size_t foot = in.length(), head = in.length();
        in.bytes(foot, [&](std::string_view piece) { pages.foot += piece; });
        in.bytes(head, [&](std::string_view piece) { pages.head += piece; });
    }
    // Only the writing pass lays out pages: the gathering one meets each heading once.
    if (pages.perPage == 0 || gathering_) {
        while (in.peek() != Tag::End) row(in, false);
    } else {
        paginated(in, pages);
    }
    expect(in, Tag::End);
    word("\\pard\r\n");
}

void Walker::paginated(Cursor& in, const TablePages& pages) {
    const Cursor start = in;
    for (std::uint64_t r = 0; r < pages.headers; ++r) row(in, false);
    const std::uint64_t body = pages.perPage - pages.headers;  // more than 0, as the insert checked
    for (std::uint64_t r = pages.headers, onPage = 0; r < pages.rows; ++r, ++onPage) {
        if (onPage == body) {
            word("\\pard\r\n");
            word(pages.foot);
            word(pages.head);
            breakBefore_ = pages.head.empty();
            Cursor again = start;
            for (std::uint64_t h = 0; h < pages.headers; ++h) row(again, false);
            onPage = 0;
        }
        row(in, onPage + 1 == body && r + 1 < pages.rows);
    }
}

void Walker::row(Cursor& in, bool endsPage) {
    expect(in, Tag::Row);
    in.flag();  // a header row: its words say so
    const bool ruled = in.flag();
    const std::size_t n = in.length();
    if (ruled && endsPage) {
        in.skip(n);
        expect(in, Tag::Leaf);
        text(in, in.length());
    } else {
        text(in, n);
        if (ruled) {
            expect(in, Tag::Leaf);
            in.skip(in.length());
        }
    }
    while (in.peek() != Tag::End) {
        expect(in, Tag::Cell);
        const bool continued = in.flag(), last = in.flag();
        if (continued) {
            word(CellStart);
            pageBreak();
        } else if (in.peek() == Tag::Leaf) {
            // A value's paragraph, written whole after the writer's reset.
            word(CellReset);
            pageBreak();
            item(in);
        } else {
            cellParagraphs(in, false, true);
        }
        expect(in, Tag::End);
        word(last ? "\\cell\\row\r\n" : "\\cell\r\n");
    }
    expect(in, Tag::End);
}

void Walker::pages(Cursor& in) {
    bool first = true;
    while (!in.done()) {
        expect(in, Tag::Page);
        if (!first) word("\\page ");
        first = false;
        word("{");
        blocks(in);
        expect(in, Tag::End);
        word("}");
    }
}

void Walker::pageBreak() {
    if (!breakBefore_) return;
    word("\\pagebb");
    breakBefore_ = false;
}

void Walker::paragraph(const ParagraphText& text) {
    if (text.opened) word(Opening);
    Cursor in(text.content);
    items(in);
    if (text.marked) word(Mark);
}

namespace {

// A walk of records outside the body into a string, with their references
// as they are.
template <class Walk>
void walkInto(std::string& out, Walk&& walk) {
    Output to(out, false);
    const Gathered none;
    Walker walker(none, to);
    walk(walker);
}

}  // namespace

void appendContent(std::string& out, const ParagraphText& text) {
    walkInto(out, [&](Walker& w) { w.paragraph(text); });
}

void appendCellContent(std::string& out, const detail::Chunks& records, bool ended) {
    walkInto(out, [&](Walker& w) {
        Cursor in(records);
        w.cellParagraphs(in, ended);
    });
}

void appendPageContent(std::string& out, const detail::Chunks& records) {
    Output to(out, false);
    writePageContent(to, records);
}

void writePageContent(Output& out, const detail::Chunks& records) {
    const Gathered none;
    Walker w(none, out);
    Cursor in(records);
    w.word("{");
    w.blocks(in);
    w.word("}");
}

}  // namespace velloran::rtf
