#include "rtf/header.hpp"

#include <velloran/paragraph.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/clock.hpp"
#include "common/color.hpp"
#include "common/numtext.hpp"
#include "rtf/furniture.hpp"
#include "rtf/strings.hpp"

namespace velloran::rtf {

using detail::appendWord;

namespace {

void appendFontEntry(std::string& out, std::int32_t index, std::int32_t charSet, const std::string& name) {
    appendWord(out, "{\\f", index);
    appendWord(out, "\\fnil\\fcharset", charSet);
    out += "\\fprq2 ";
    rtf::appendEscapedFontName(out, name);
    out += ";}";
}

void appendInfoString(std::string& out, const char* group, const std::string& value) {
    out += group;
    rtf::appendEscapedInfo(out, value);
    out += '}';
}

}  // namespace

// Readers' default size.
void appendDefaultSize(std::string& out, const char* word, const cDocument& doc) {
    resumeNext(out, [&] { appendWord(out, word, detail::mul(doc.FontDefaultHeight, 2)); });
}

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
        rtf::appendEscapedFontName(out, state.styles[i]);
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
    // A malformed SOURCE_DATE_EPOCH fails the write rather than stamp a
    // file that was meant to be reproducible with today's time.
    const platform::LocalTime made = detail::stampTime(doc.CreationTime());
    resumeNext(stamp, [&] { appendTimeStamp(stamp, made); });
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
    // Printers and converters take the turned sheet as landscape only when
    // told so; without the word Word reports a custom paper size.
    if (doc.PageLandscape != 0) out += "\\landscape";
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
