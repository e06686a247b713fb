// A section's words: its defaults, numbering, sheet, and those of a
// document assembled as a section of another.
#include "rtf/section.hpp"

#include <velloran/page.hpp>

#include "common/access.hpp"
#include "common/numtext.hpp"
#include "rtf/border.hpp"
#include "rtf/furniture.hpp"
#include "rtf/walk.hpp"

namespace velloran {

void rtf::appendRtf(const cPage& page, std::string& out) {
    rtf::appendPageContent(out, Access::records(page));
    out += "\\page ";
}

}  // namespace velloran

namespace velloran::rtf {

using detail::appendWord;

vlRTFOrientation orientationOf(const cPage& page) {
    return page.Orientation == oPortrait || page.Orientation == oLandscape ? page.Orientation : oDocument;
}

bool ownSheet(const cPage& page) noexcept {
    return page.PageWidth > 0 || page.PageHeight > 0 || page.PageMarginLeft >= 0 || page.PageMarginRight >= 0 ||
           page.PageMarginTop >= 0 || page.PageMarginBottom >= 0;
}

std::string layoutWords(const cPage& page) {
    std::string words;
    if (page.PageColumns > 1) {
        appendWord(words, "\\cols", page.PageColumns);
        appendWord(words, "\\colsx", page.PageColumnSpace);
        if (page.PageColumnLine == True) words += "\\linebetcol";
    }
    if (page.PageLineNumbers > 0) {
        appendWord(words, "\\linemod", page.PageLineNumbers);
        appendWord(words, "\\linex", page.PageLineNumberDistance);
        words += page.PageLineNumbersEachPage == True ? "\\lineppage" : "\\linerestart";
    }
    if (page.PageBorder) appendPageBorder(words, *page.PageBorder);
    return words;
}

void appendSectionSheet(const Sheet& sheet, bool landscape, std::string& out) {
    if (landscape) out += "\\lndscpsxn";
    appendSheet(out, sheet, landscape,
                {"\\pgwsxn", "\\pghsxn", "\\marglsxn", "\\margrsxn", "\\margtsxn", "\\margbsxn"});
    out += ' ';
}

namespace {

// The sheet a page asks for, the document's where it asks for none of its own.
Sheet sheetAsked(const cDocument& doc, const cPage& page) noexcept {
    auto pick = [](std::int32_t own, std::int32_t least, std::int32_t document) {
        return own >= least ? own : document;
    };
    return {pick(page.PageWidth, 1, doc.PageWidth),           pick(page.PageHeight, 1, doc.PageHeight),
            pick(page.PageMarginLeft, 0, doc.PageMarginLeft), pick(page.PageMarginRight, 0, doc.PageMarginRight),
            pick(page.PageMarginTop, 0, doc.PageMarginTop),   pick(page.PageMarginBottom, 0, doc.PageMarginBottom)};
}

}  // namespace

std::string sectionWords(const cDocument& doc, const cPage& page, bool later) {
    std::string words(later ? "\\sectd" : "");
    if (page.PageNumberStart > 0) appendWord(words, "\\pgnrestart\\pgnstarts", page.PageNumberStart);
    else if (later) words += "\\pgncont";
    words += layoutWords(page);
    const vlRTFOrientation orientation = orientationOf(page);
    if (orientation != oDocument || ownSheet(page)) {
        const bool landscape = orientation == oDocument ? doc.PageLandscape != 0 : orientation == oLandscape;
        appendSectionSheet(sheetAsked(doc, page), landscape, words);
    } else {
        words += ' ';
    }
    return words;
}

std::string pageBreak(bool later, bool turns) { return !later ? "" : turns ? "\\sect" : "\\page "; }

namespace {

// The first section's words of an assembled document, and its page
// number's paragraph, if it shows one.
std::string partWords(const cDocument& part, Boolean restart, std::string& number) {
    std::string words("\\sectd");
    if (restart == True) appendWord(words, "\\pgnrestart\\pgnstarts", part.PageNumberStart);
    else words += "\\pgncont";
    if (part.FirstPageHeader || part.FirstPageFooter) words += "\\titlepg";
    appendSectionSheet(sheetOf(part), part.PageLandscape != 0, words);
    std::string numbering;
    appendNumbering(numbering, part, number);
    if (!number.empty()) appendWord(words, "\\headery", part.PageNumberMarginTop);
    return words;
}

}  // namespace

std::string partOpening(const cDocument& part, bool later, Boolean restart, bool facing) {
    std::string number;
    std::string words = (later ? "\\sect" : "") + partWords(part, restart, number);
    Output to(words, false);
    appendFirstFurniture(to, part, Access::state(part), number, facing, true);
    return words;
}

std::string partFirstSectionWords(const cDocument& part, Boolean restart) {
    std::string number;
    return partWords(part, restart, number);
}

}  // namespace velloran::rtf
