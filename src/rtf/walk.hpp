// The records inserts keep, as the writer walks them: once to gather what
// only the whole document knows (the lists its paragraphs belong to, its
// headings, its tables of contents), once to write the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/chunks.hpp"
#include "common/lists.hpp"
#include "common/records.hpp"
#include "rtf/output.hpp"
#include "rtf/paragraph.hpp"

namespace velloran::rtf {

// A heading of the body, in the order written: its level in the outline,
// its runs' escaped text, and the bookmark a table of contents links to
// (the first one its runs name, or one the writer writes around it).
struct Heading {
    std::int32_t level = 0;
    std::string text;
    std::string bookmark;
    bool written = false;  // the writer's own bookmark
};

// A table of contents of the body, in the order written: the levels it
// asks for and its paragraph's words, which each entry takes.
struct Contents {
    std::int32_t levels = 0;
    std::string words;
    bool ended = false;  // its paragraph's words are read
};

struct Gathered {
    detail::ListSet lists;
    std::vector<Heading> headings;
    std::vector<Contents> contents;
    // The list numbers of each assembled document move up by this, in the
    // order they are written.
    std::vector<std::int64_t> listShifts;

    // The writer's own bookmarks, once the headings are gathered: those
    // that a table of contents lists and that have none.
    void nameBookmarks();
};

class Walker {
public:
    // Gathering into gathered.
    explicit Walker(Gathered& gathered) : g_(gathered), gathering_(&gathered) {}
    // Writing to out, with what was gathered.
    Walker(const Gathered& gathered, Output& out) : g_(gathered), out_(&out) {}
    // The styles of the document whose records follow: a built-in heading's
    // style makes its paragraphs headings.
    void setStyles(const std::vector<std::string>* styles) noexcept { styles_ = styles; }
    // Whether the records are the body's, where headings and tables of
    // contents count, or a header's or footer's.
    void setBody(bool body) noexcept { body_ = body; }

    // A paragraph's content, up to the end of the record that holds it.
    void items(detail::Cursor& in);
    // What a page or a header holds, up to its end.
    void blocks(detail::Cursor& in);
    // The paragraphs of a cell, up to its end, after the cell's own start
    // in a row (`inRow`); then the end of the last one when `ended`, as the
    // cell's whole text has it.
    void cellParagraphs(detail::Cursor& in, bool ended = false, bool inRow = false);
    // A section's pages.
    void pages(detail::Cursor& in);
    // A paragraph as a header holds it: its content with its opening and mark.
    void paragraph(const ParagraphText& text);

    void word(std::string_view text) {
        if (out_) out_->append(text);
    }

private:
    // n bytes of the writer's own, with their references.
    void text(detail::Cursor& in, std::size_t n) {
        if (n == 0) return;
        if (out_) in.span(n, [this](std::string_view piece) { out_->append(piece); });
        else in.skip(n);
    }
    void item(detail::Cursor& in);
    void run(detail::Cursor& in, bool bookmarked);
    void contents(detail::Cursor& in);
    void ownParagraph(detail::Cursor& in);
    void footnote(detail::Cursor& in);
    void placed(detail::Cursor& in);
    // A table that paginates itself, as its record says.
    struct TablePages {
        std::uint64_t perPage = 0, rows = 0, headers = 0;
        std::string foot, head;
    };
    void table(detail::Cursor& in);
    void paginated(detail::Cursor& in, const TablePages& pages);
    // A row; endsPage: the last on its page, with the rule under it where it has one.
    void row(detail::Cursor& in, bool endsPage);
    // The page break before the first cell paragraph after a table's page ends.
    void pageBreak();
    void entries(const Contents& c, std::string_view format);
    std::int32_t headingLevel(std::int32_t outline, std::int32_t style) const;

    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    const Gathered& g_;
    Gathered* gathering_ = nullptr;
    Output* out_ = nullptr;
    const std::vector<std::string>* styles_ = nullptr;
    bool body_ = false;
    bool breakBefore_ = false;    // the next cell paragraph starts a page
    int footnotes_ = 0;           // inside so many notes
    int depth_ = 0;               // inside so many paragraphs of their own
    std::size_t heading_ = None;  // the heading the records are in, from depth headingDepth_ on
    int headingDepth_ = 0;
    std::size_t headings_ = 0;  // headings met so far
    std::size_t contents_ = 0;  // tables of contents met so far
};

// A paragraph's content as a header holds it, with its opening and mark;
// a cell's paragraphs, each but the last ended for the next, and the last
// one's end as well when `ended`; a page's content in its group.
void appendContent(std::string& out, const ParagraphText& text);
void appendCellContent(std::string& out, const detail::Chunks& records, bool ended);
void appendPageContent(std::string& out, const detail::Chunks& records);
void writePageContent(Output& out, const detail::Chunks& records);

}  // namespace velloran::rtf
