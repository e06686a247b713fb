// The header and footer groups of a section, and the page number they
// carry.
#include "rtf/furniture.hpp"

#include <velloran/paragraph.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/numtext.hpp"
#include "rtf/header.hpp"
#include "rtf/paragraph.hpp"
#include "rtf/walk.hpp"

namespace velloran::rtf {

using detail::appendWord;

namespace {

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

}  // namespace velloran::rtf
