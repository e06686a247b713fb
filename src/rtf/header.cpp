#include "rtf/header.hpp"

#include <velloran/paragraph.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/color.hpp"
#include "common/numtext.hpp"
#include "rtf/paragraph.hpp"
#include "rtf/strings.hpp"
#include "rtf/walk.hpp"

namespace velloran::rtf {

using detail::appendWord;

namespace {

// Runs one piece: a piece whose values do not fit (an overflow, a missing
// border) writes nothing, and the writer goes on with the next. Running out
// of memory fails the whole rendering.
template <class Piece>
void resumeNext(std::string& out, Piece&& piece) {
    std::size_t mark = out.size();
    try {
        piece();
    } catch (const Error&) {
        out.resize(mark);
    }
}

void appendFontEntry(std::string& out, std::int32_t index, std::int32_t charSet, const std::string& name) {
    appendWord(out, "{\\f", index);
    appendWord(out, "\\fnil\\fcharset", charSet);
    out += "\\fprq2 ";
    detail::appendEscapedFontName(out, name);
    out += ";}";
}

void appendInfoString(std::string& out, const char* group, const std::string& value) {
    out += group;
    detail::appendEscapedInfo(out, value);
    out += '}';
}

// The default size in half-points, readers' default; when doubling it
// overflows, only "\fs" and its number are left out.
void appendDefaultSize(std::string& out, const char* word, const cDocument& doc) {
    resumeNext(out, [&] { appendWord(out, word, detail::mul(doc.FontDefaultHeight, 2)); });
}

// The page number at the top right of every page: its top PageNumberMarginTop
// from the page's top edge (the header's distance), its right end
// PageNumberMarginRight from the page's right edge, which is a negative right
// indent where it stands in the margin. A paragraph of its own, not a frame:
// LibreOffice and AbiWord place no frame in a header, and every reader tried
// honours the indent. The field's result, the start number, is what readers
// without fields show.
void appendPageNumber(std::string& out, const cDocument& doc, std::int32_t rightMargin) {
    std::int32_t indent = detail::sub(doc.PageNumberMarginRight, rightMargin);
    appendWord(out, "{\\pard\\plain\\qr\\ri", indent);
    appendDefaultSize(out, "\\f0\\fs", doc);
    appendWord(out, " {\\field{\\*\\fldinst PAGE }{\\fldrslt ", doc.PageNumberStart);
    out += "}}\\par}";
}

}  // namespace

void appendTimeStamp(std::string& out, const platform::LocalTime& t) {
    // Each part passes through a 16-bit integer, as the stamp's fields are.
    appendWord(out, "\\yr", detail::narrow16(t.year));
    appendWord(out, "\\mo", detail::narrow16(t.month));
    appendWord(out, "\\dy", detail::narrow16(t.day));
    appendWord(out, "\\hr", detail::narrow16(t.hour));
    appendWord(out, "\\min", detail::narrow16(t.minute));
}

void appendFontTable(std::string& out, const cDocument& doc, const detail::DocumentState& state) {
    out += "{\\fonttbl";
    appendFontEntry(out, 0, doc.FontDefaultCharSet, doc.FontDefaultName);
    for (std::size_t i = 1; i < state.fontNames.size(); ++i)
        appendFontEntry(out, static_cast<std::int32_t>(i), state.fontCharSets[i], state.fontNames[i]);
    out += '}';
}

void appendColorTable(std::string& out, const std::vector<std::int32_t>& colors) {
    out += "{\\colortbl;";
    for (std::int32_t color : colors) {
        auto rgb = detail::SplitRGB(color);
        appendWord(out, "\\red", rgb.red);
        appendWord(out, "\\green", rgb.green);
        appendWord(out, "\\blue", rgb.blue);
        out += ';';
    }
    out += '}';
}

// The outline level of a built-in heading's name ("heading 1" to "heading
// 9", in any case), 1 to 9; 0 for any other name.
// Compared as font and style names are, without regard to letter case.
std::int32_t headingLevel(std::string_view name) {
    constexpr std::string_view Heading = "HEADING ";
    if (name.size() != Heading.size() + 1 || name.back() < '1' || name.back() > '9') return 0;
    return platform::upperCase(name.substr(0, Heading.size())) == Heading ? name.back() - '0' : 0;
}

// Normal, whose size readers take as the default size, and the styles the
// host entered, each based on Normal at the same size. A built-in heading
// carries its outline level: LibreOffice gives it its own heading style.
void appendStyleSheet(std::string& out, const cDocument& doc, const detail::DocumentState& state) {
    out += "{\\stylesheet{";
    appendDefaultSize(out, "\\fs", doc);
    out += " \\snext0 Normal;}";
    for (std::size_t i = 0; i < state.styles.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i + 1);
        appendWord(out, "{\\s", index);
        if (std::int32_t level = headingLevel(state.styles[i])) appendWord(out, "\\outlinelevel", level - 1);
        appendDefaultSize(out, "\\fs", doc);
        out += " \\sbasedon0\\snext0 ";
        detail::appendEscapedFontName(out, state.styles[i]);
        out += ";}";
    }
    out += '}';
}

// Each list declared once: bullets (odd numbers) with a mark per level,
// numbers (even) in decimals followed by a full stop, each level indented a
// quarter inch more. No list, no tables.
void appendListTables(std::string& out, const detail::ListSet& lists) {
    if (lists.empty()) return;
    static constexpr const char* Bullets[] = {"\\u8226", "\\u9702", "\\u9642"};
    out += "{\\*\\listtable";
    for (std::int64_t n : lists.numbers()) {
        const bool bullet = n % 2 != 0;
        appendWord(out, "{\\list\\listtemplateid", n);
        for (std::int32_t level = 0; level < 9; ++level) {
            out += bullet ? "{\\listlevel\\levelnfc23\\levelnfcn23" : "{\\listlevel\\levelnfc0\\levelnfcn0";
            out += "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1";
            if (bullet) {
                out += "{\\leveltext\\'01";
                out += Bullets[level % 3];
                out += ";}{\\levelnumbers;}";
            } else {
                out += "{\\leveltext\\'02\\'0";
                out += static_cast<char>('0' + level);
                out += ".;}{\\levelnumbers\\'01;}";
            }
            std::int32_t indent = 720 + 360 * level;
            appendWord(out, "\\fi-360\\li", indent);
            appendWord(out, "\\lin", indent);
            out += '}';
        }
        appendWord(out, "\\listid", n);
        out += '}';
    }
    out += "}{\\*\\listoverridetable";
    for (std::int64_t n : lists.numbers()) {
        appendWord(out, "{\\listoverride\\listid", n);
        appendWord(out, "\\listoverridecount0\\ls", n);
        out += '}';
    }
    out += '}';
}

void appendInfo(std::string& out, const cDocument& doc, std::int32_t pages, const std::string& stamp) {
    appendInfoString(out, "{\\info{\\author ", doc.Author);
    appendInfoString(out, "{\\operator ", doc.Operator);
    appendInfoString(out, "{\\title ", doc.Title);
    appendInfoString(out, "{\\subject ", doc.Subject);
    // The comment readers show among the document's properties, if at all.
    out += "{\\comment Brenmoor - Velloran.dll}";
    out += "{\\creatim";
    out += stamp;
    out += "}{\\revtim";
    out += stamp;
    // Statistics readers show as properties and recount themselves: the
    // revision (2), minutes of editing (7), pages, words and characters (0);
    // \vern is the writing program's internal version number, which readers
    // ignore.
    out += "}{\\version2}";
    appendWord(out, "{\\edmins7}{\\nofpages", pages);
    out += "}{\\nofwords0}{\\nofchars0}{\\vern8351}}";
}

Sheet sheetOf(const cDocument& doc) noexcept {
    return {doc.PageWidth,       doc.PageHeight,    doc.PageMarginLeft,
            doc.PageMarginRight, doc.PageMarginTop, doc.PageMarginBottom};
}

// The sheet is described in portrait terms; landscape turns it with its margins.
void appendSheet(std::string& out, const Sheet& sheet, bool landscape, const std::array<const char*, 6>& words) {
    appendWord(out, words[0], landscape ? sheet.height : sheet.width);
    appendWord(out, words[1], landscape ? sheet.width : sheet.height);
    appendWord(out, words[2], landscape ? sheet.bottom : sheet.left);
    appendWord(out, words[3], landscape ? sheet.top : sheet.right);
    appendWord(out, words[4], landscape ? sheet.left : sheet.top);
    appendWord(out, words[5], landscape ? sheet.right : sheet.bottom);
}

void appendSheet(std::string& out, const cDocument& doc, bool landscape, const std::array<const char*, 6>& words) {
    appendSheet(out, sheetOf(doc), landscape, words);
}

// Page numbering belongs to the section, so it follows "\sectd", which
// resets the section's properties; and only a PAGE field makes readers
// print a number.
void appendNumbering(std::string& out, const cDocument& doc, std::string& number) {
    if (doc.PageNumbersOn != True) return;
    appendWord(out, "\\pgnstarts", doc.PageNumberStart);
    out += "\\pgncont\\pgnrestart";
    appendWord(out, "\\pgnx", doc.PageNumberMarginRight);
    appendWord(out, "\\pgny", doc.PageNumberMarginTop);
    out += "\\pgndec";
    const bool landscape = doc.PageLandscape != 0;
    resumeNext(number, [&] { appendPageNumber(number, doc, landscape ? doc.PageMarginTop : doc.PageMarginRight); });
    if (!number.empty()) appendWord(out, "\\headery", doc.PageNumberMarginTop);
}

namespace {

// One header or footer group: its page number, paragraph and page, each
// left out when missing; the group is written when any of them is there
// (the page number stays when the host's paragraph fails to render). The
// paragraph is made first, for it may fail; the page goes where the text
// goes as it is walked. Whether the group was written.
bool appendFurniture(Output& out, const char* group, const std::string& number, const cParagraph* paragraph,
                     const cPage* page) {
    if (number.empty() && !paragraph && !page) return false;
    std::string text;
    if (paragraph) {
        try {
            appendWrapped(text, *paragraph);
        } catch (const Error&) {
            // Without a page number or a page, the whole group is left out.
            if (number.empty() && !page) return false;
            text.clear();
        }
    }
    out.append(group);
    out.append(number);
    out.append(text);
    if (page) writePageContent(out, Access::records(*page));
    out.append("}");
    return true;
}

}  // namespace

bool hasHeader(const cDocument& doc) noexcept {
    return doc.Header || doc.PageHeader || doc.FirstPageHeader || doc.EvenPageHeader;
}
bool hasFooter(const cDocument& doc) noexcept {
    return doc.Footer || doc.PageFooter || doc.FirstPageFooter || doc.EvenPageFooter;
}

// The header and footer render from their objects' current state and store
// nothing back, so every rendering of a document is the same. With even
// pages of their own, the others are the odd pages' (\headerr, \footerr);
// the first page's own follow \titlepg, which the section's words carry.
// \titlepg and \facingp switch the header and the footer both: where the
// host gave only one of a pair its own, the other is the ordinary one. A
// later section's own header or footer stands in place of the ordinary one
// on all its pages.
void appendHeaderAndFooter(Output& out, const cDocument& doc, const std::string& number, const Furniture& f) {
    const bool title = f.first && (doc.FirstPageHeader || doc.FirstPageFooter);
    const cPage* evenHeader = f.header ? f.header : doc.EvenPageHeader.get();
    const cPage* evenFooter = f.footer ? f.footer : doc.EvenPageFooter.get();
    // A group with nothing in it is left out, or written empty when blank.
    auto put = [&](const char* group, const std::string& n, const cParagraph* paragraph, const cPage* page) {
        if (appendFurniture(out, group, n, paragraph, page) || !f.blank) return;
        out.append(group);
        out.append("}");
    };
    auto header = [&](const char* group) {
        if (f.header) put(group, number, nullptr, f.header);
        else put(group, number, doc.Header.get(), doc.PageHeader.get());
    };
    auto footer = [&](const char* group) {
        if (f.footer) put(group, "", nullptr, f.footer);
        else put(group, "", doc.Footer.get(), doc.PageFooter.get());
    };
    header(f.facing ? "{\\headerr" : "{\\header");
    if (f.facing && evenHeader) put("{\\headerl", number, nullptr, evenHeader);
    else if (f.facing) header("{\\headerl");
    if (title && doc.FirstPageHeader) put("{\\headerf", "", nullptr, doc.FirstPageHeader.get());
    else if (title) header("{\\headerf");
    footer(f.facing ? "{\\footerr" : "{\\footer");
    if (f.facing && evenFooter) put("{\\footerl", "", nullptr, evenFooter);
    else if (f.facing) footer("{\\footerl");
    if (title && doc.FirstPageFooter) put("{\\footerf", "", nullptr, doc.FirstPageFooter.get());
    else if (title) footer("{\\footerf");
}

bool facingPages(const cDocument& doc, const detail::DocumentState& state) noexcept {
    return doc.EvenPageHeader || doc.EvenPageFooter || state.facing;
}

void appendFirstFurniture(Output& out, const cDocument& doc, const detail::DocumentState& state,
                          const std::string& number, bool facing, bool blank) {
    const cPage* header = nullptr;
    const cPage* footer = nullptr;
    if (!state.body.empty()) {
        const auto* first = std::get_if<detail::Section>(&state.body.front());
        if (!first) return;
        if (first->furniture) header = first->header.get(), footer = first->footer.get();
    }
    appendHeaderAndFooter(out, doc, number, {facing, true, blank, header, footer});
}

void appendHeaderAndFooter(std::string& out, const cDocument& doc, const std::string& number) {
    Output to(out, false);
    appendHeaderAndFooter(to, doc, number, {doc.EvenPageHeader || doc.EvenPageFooter, true, false, nullptr, nullptr});
}

// A later section's header and footer: the document's page number, and its
// own or the document's ordinary header and footer; for facing pages, the
// odd and the even pages' groups.
void appendSectionFurniture(Output& out, const cDocument& doc, bool facing, const cPage* header, const cPage* footer) {
    std::string words, number;
    appendNumbering(words, doc, number);
    appendHeaderAndFooter(out, doc, number, {facing, false, true, header, footer});
}

// \pmmetafile28 names a picture's metafile type, out of place outside a
// picture: readers pass over it; \endnhere puts endnotes at the end of the
// section. Then the body's paragraph and character defaults.
void appendBodyDefaults(std::string& out, const cDocument& doc, const detail::DocumentState& state) {
    out += "\\pmmetafile28\\endnhere";
    out += "\\pard\\plain\\ql";
    appendDefaultSize(out, "\\f0\\fs", doc);
    appendWord(out, "\\cb", state.white);
    appendWord(out, "\\cf", state.black);
    out += ' ';
}

void writeHeader(Output& to, const cDocument& doc, const detail::DocumentState& state, const detail::ListSet& lists) {
    std::string out, stamp;
    resumeNext(stamp, [&] { appendTimeStamp(stamp, platform::localNow()); });
    // RTF 1; 8-bit text is ANSI of code page 1253 (Greek), which readers use
    // for any \'hh byte (every byte above 127 is written as \u, so only
    // control characters and ASCII meet it); \uc0 says a \u escape has no
    // fallback character unless a group says \uc1; font 0 is the default.
    out += "{\\rtf1\\ansi\\ansicpg1253\\uc0\\deff0";
    appendFontTable(out, doc, state);
    appendColorTable(out, state.colors);
    appendStyleSheet(out, doc, state);
    appendListTables(out, lists);
    appendInfo(out, doc, state.pageCount, stamp);
    appendSheet(out, doc, doc.PageLandscape != 0, {"\\paperw", "\\paperh", "\\margl", "\\margr", "\\margt", "\\margb"});
    if (hasHeader(doc)) out += "\\pgbrdrhead\\headery720 ";
    if (hasFooter(doc)) out += "\\pgbrdrfoot\\footery720 ";
    // Even pages with headers or footers of their own.
    if (facingPages(doc, state)) out += "\\facingp";
    // Widow and orphan control on; footnotes at the bottom of the page; the
    // section's properties reset to their defaults, the first page's own
    // header or footer named.
    out += "\\widowctrl\\ftnbj \\sectd ";
    if (doc.FirstPageHeader || doc.FirstPageFooter) out += "\\titlepg ";
    std::string number;
    appendNumbering(out, doc, number);
    to.append(out);
    // The header and footer go where the text goes as they are written: a
    // header that holds a picture is not held twice.
    appendFirstFurniture(to, doc, state, number, facingPages(doc, state), false);
    out.clear();
    appendBodyDefaults(out, doc, state);
    out += '{';
    to.append(out);
}

}  // namespace velloran::rtf
