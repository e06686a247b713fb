#include <velloran/document.hpp>

#include <array>
#include <unordered_map>
#include <vector>

#include <velloran/paragraph.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/color.hpp"
#include "common/module_values.hpp"
#include "common/numtext.hpp"
#include "common/platform.hpp"
#include "common/files.hpp"
#include "text/strings.hpp"

namespace velloran {

using detail::appendNum;
using detail::appendWord;

namespace detail {

// What a document keeps besides its fields.
struct DocumentState {
    Chunks pagesRtf;
    std::int32_t pageCount = 0;
    // Slot 0 stands for the default font and is never read.
    std::vector<std::string> fontNames = {std::string()};
    std::vector<std::int32_t> fontCharSets = {0};
    // Colour index k is slot k - 1; slot 0 is always black.
    std::vector<std::int32_t> colors = {0};
    // The index of every entered upper-cased font name (slots 1 on) and of
    // every colour value, so a lookup takes constant time on average. Each
    // key is in its table once: a name or value is entered only when no slot
    // holds it.
    std::unordered_map<std::string, std::int32_t> fontIndexes;
    std::unordered_map<std::int32_t, std::int32_t> colorIndexes = {{0, 1}};
    // Black and white as this document entered them, which its body
    // defaults name: the same whichever thread renders it.
    std::int32_t black = 0, white = 0;
    // Pages turned away from the document start sections of their own: the
    // orientation the last page asked for, how many sections there are, and
    // the words of the last one, which the document repeats after the pages,
    // where readers take the last section's properties from.
    vlRTFOrientation lastOrientation = oDocument;
    std::int32_t sections = 1;
    std::string lastSectionWords;
    // The lists the pages' paragraphs belong to.
    ListSet lists;
};

}  // namespace detail

struct cDocument::State : detail::DocumentState {};

namespace {

// The sheet's width, height and left, right, top and bottom margins, each
// after its word. The sheet is described in portrait terms; landscape turns
// it with its margins.
void appendSheet(const cDocument& doc, bool landscape, const std::array<const char*, 6>& words, std::string& out) {
    appendWord(out, words[0], landscape ? doc.PageHeight : doc.PageWidth);
    appendWord(out, words[1], landscape ? doc.PageWidth : doc.PageHeight);
    appendWord(out, words[2], landscape ? doc.PageMarginBottom : doc.PageMarginLeft);
    appendWord(out, words[3], landscape ? doc.PageMarginTop : doc.PageMarginRight);
    appendWord(out, words[4], landscape ? doc.PageMarginLeft : doc.PageMarginTop);
    appendWord(out, words[5], landscape ? doc.PageMarginRight : doc.PageMarginBottom);
}

// Room for one more element, growing geometrically.
template <class Vector>
void roomForOneMore(Vector& v) {
    if (v.size() == v.capacity()) v.reserve(v.size() * 2 + 8);
}

}  // namespace

cDocument::cDocument() : state_(std::make_unique<State>()) {
    auto& module = detail::moduleValues();
    state_->black = module.blackColorIndex = ColorIndex(0);
    state_->white = module.whiteColorIndex = ColorIndex(0xFFFFFF);
}

cDocument::cDocument(const cDocument& other)
    : Author(other.Author),
      Operator(other.Operator),
      Title(other.Title),
      Subject(other.Subject),
      PageWidth(other.PageWidth),
      PageHeight(other.PageHeight),
      PageMarginLeft(other.PageMarginLeft),
      PageMarginRight(other.PageMarginRight),
      PageMarginTop(other.PageMarginTop),
      PageMarginBottom(other.PageMarginBottom),
      PageLandscape(other.PageLandscape),
      PageNumbersOn(other.PageNumbersOn),
      PageNumberStart(other.PageNumberStart),
      PageNumberMarginRight(other.PageNumberMarginRight),
      PageNumberMarginTop(other.PageNumberMarginTop),
      FontDefaultName(other.FontDefaultName),
      FontDefaultCharSet(other.FontDefaultCharSet),
      FontDefaultHeight(other.FontDefaultHeight),
      Header(other.Header),
      Footer(other.Footer),
      state_(std::make_unique<State>(other.state())) {}
cDocument& cDocument::operator=(const cDocument& other) {
    if (this != &other) *this = cDocument(other);
    return *this;
}
cDocument::cDocument(cDocument&& other) noexcept = default;
cDocument& cDocument::operator=(cDocument&& other) noexcept = default;
cDocument::~cDocument() = default;

// A moved-from document starts again as a new one.
cDocument::State& cDocument::state() {
    if (!state_) state_ = std::move(cDocument().state_);
    return *state_;
}

const cDocument::State& cDocument::state() const {
    if (state_) return *state_;
    static const cDocument empty;
    return *empty.state_;
}

std::int32_t cDocument::LastPage() const noexcept { return state_ ? state_->pageCount : 0; }

std::int32_t& Access::pageCount(cDocument& document) { return document.state().pageCount; }

std::int32_t cDocument::FontIndex(const std::string& FontName, std::int32_t CharSet) {
    if (FontName.empty()) return 0;
    std::string key = platform::upperCase(FontName);
    // Slot 0 is the default font of this moment, so it is compared anew.
    if (platform::upperCase(FontDefaultName) == key) return 0;
    if (auto found = state().fontIndexes.find(key); found != state().fontIndexes.end()) return found->second;
    if (state().fontNames.size() > static_cast<std::size_t>(INT32_MAX)) detail::overflow();
    std::int32_t charSet = CharSet == -1 ? FontDefaultCharSet : CharSet;
    auto index = static_cast<std::int32_t>(state().fontNames.size());
    // Every container grows, and the name is copied, before any is changed,
    // so a failure changes nothing.
    std::string name = FontName;
    roomForOneMore(state().fontNames);
    roomForOneMore(state().fontCharSets);
    state().fontIndexes.emplace(std::move(key), index);
    state().fontNames.push_back(std::move(name));
    state().fontCharSets.push_back(charSet);
    return index;
}

std::int32_t cDocument::ColorIndex(std::int32_t RGBColor) {
    if (auto found = state().colorIndexes.find(RGBColor); found != state().colorIndexes.end()) return found->second;
    if (state().colors.size() >= static_cast<std::size_t>(INT32_MAX)) detail::overflow();
    roomForOneMore(state().colors);
    auto index = static_cast<std::int32_t>(state().colors.size() + 1);
    state().colorIndexes.emplace(RGBColor, index);
    state().colors.push_back(RGBColor);
    return index;
}

// The body drops the page break after the last page. Every page fragment
// ends with "}\page " and no other text of a page can hold "\page " (run
// text has its backslashes doubled), so the last break is the last six
// characters, and blanking it and trimming the spaces it leaves (the "}"
// before it stops the trimming) is leaving those six characters out.
namespace {

template <class Visit>
void forEachBodyPiece(const detail::DocumentState& state, Visit&& visit) {
    state.pagesRtf.forEach(visit);
    // The last section's words, once more at the top level of the document:
    // LibreOffice takes the last section's properties from there.
    if (!state.lastSectionWords.empty()) {
        visit(std::string_view("}"));
        visit(std::string_view(state.lastSectionWords));
        visit(std::string_view("}"));
    } else {
        visit(std::string_view("}}"));
    }
}

void appendHeaderRtf(const cDocument& doc, const detail::DocumentState& state, std::string& out);

}  // namespace

std::string cDocument::Rtf() const {
    std::string out;
    // The header is a few hundred bytes unless the header or footer paragraph is large.
    out.reserve(state().pagesRtf.size() + 4096);
    // A large document's string is advised for huge pages before it is written.
    if (state().pagesRtf.size() >= detail::Chunks::LargeFrom) platform::adviseLarge(out.data(), out.capacity());
    appendHeaderRtf(*this, state(), out);
    out += '{';
    forEachBodyPiece(state(), [&](std::string_view piece) { out.append(piece); });
    return out;
}

Boolean cDocument::Save(const std::string& sRTFFile) const {
    if (sRTFFile.empty()) return False;
    // The pages go to the file as they are held, never joined in memory.
    std::string header;
    appendHeaderRtf(*this, state(), header);
    header += '{';
    std::vector<std::string_view> pieces{header};
    forEachBodyPiece(state(), [&](std::string_view piece) { pieces.push_back(piece); });
    // A device took all of it when the writing did not fail; a file is
    // looked at.
    if (platform::writeFileReplacing(sRTFFile, pieces) == platform::Written::Device) return True;
    return detail::FileExists(sRTFFile) ? True : False;
}

namespace {

// Runs one piece of the header: a piece whose values do not fit (an
// overflow, a missing border) writes nothing, and the header goes on with
// the next. Running out of memory fails the whole rendering.
template <class Piece>
void resumeNext(std::string& out, Piece&& piece) {
    std::size_t mark = out.size();
    try {
        piece();
    } catch (const Error&) {
        out.resize(mark);
    }
}

void appendTimeStamp(std::string& out, const platform::LocalTime& t) {
    // Each part passes through a 16-bit integer, as the stamp's fields are.
    appendWord(out, "\\yr", detail::narrow16(t.year));
    appendWord(out, "\\mo", detail::narrow16(t.month));
    appendWord(out, "\\dy", detail::narrow16(t.day));
    appendWord(out, "\\hr", detail::narrow16(t.hour));
    appendWord(out, "\\min", detail::narrow16(t.minute));
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


// The page number at the top right of every page (below), given the sheet's right margin.
void appendPageNumber(const cDocument& doc, std::string& out, std::int32_t rightMargin);

// The lists of the pages and of the header and footer paragraphs, declared
// once each: bullets (odd numbers) with a mark per level, numbers (even) in
// decimals followed by a full stop, each level indented a quarter inch more.
// Documents without list items write neither table.
void appendListTables(const cDocument& doc, const detail::DocumentState& state, std::string& out) {
    detail::ListSet lists = state.lists;
    for (const cParagraph* p : {doc.Header.get(), doc.Footer.get()}) {
        if (!p) continue;
        lists.add(Access::lists(*p));
        try {
            if (std::int32_t own = detail::listNumber(*p)) lists.add(own);
        } catch (const Error&) {
            // Its rendering fails too, and writes nothing.
        }
    }
    if (lists.empty()) return;
    static constexpr const char* Bullets[] = {"\\u8226", "\\u9702", "\\u9642"};
    out += "{\\*\\listtable";
    for (std::int32_t n : lists.numbers()) {
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
    for (std::int32_t n : lists.numbers()) {
        appendWord(out, "{\\listoverride\\listid", n);
        appendWord(out, "\\listoverridecount0\\ls", n);
        out += '}';
    }
    out += '}';
}

void appendHeaderRtf(const cDocument& doc, const detail::DocumentState& state, std::string& out) {
    std::string stamp;
    resumeNext(stamp, [&] { appendTimeStamp(stamp, platform::localNow()); });

    // RTF 1; 8-bit text is ANSI of code page 1253 (Greek), which readers use
    // for any \'hh byte (every byte above 127 is written as \u, so only
    // control characters and ASCII meet it); \uc0 says a \u escape has no
    // fallback character unless a group says \uc1; font 0 is the default.
    out += "{\\rtf1\\ansi\\ansicpg1253\\uc0\\deff0";
    out += "{\\fonttbl";
    appendFontEntry(out, 0, doc.FontDefaultCharSet, doc.FontDefaultName);
    for (std::size_t i = 1; i < state.fontNames.size(); ++i)
        appendFontEntry(out, static_cast<std::int32_t>(i), state.fontCharSets[i], state.fontNames[i]);
    out += '}';

    out += "{\\colortbl;";
    for (std::int32_t color : state.colors) {
        auto rgb = detail::SplitRGB(color);
        appendWord(out, "\\red", rgb.red);
        appendWord(out, "\\green", rgb.green);
        appendWord(out, "\\blue", rgb.blue);
        out += ';';
    }
    out += '}';

    // One style, Normal, whose size readers take as the default size: when
    // doubling it overflows, only "\fs" and its number are left out.
    out += "{\\stylesheet{";
    resumeNext(out, [&] { appendWord(out, "\\fs", detail::mul(doc.FontDefaultHeight, 2)); });
    out += " \\snext0 Normal;}}";
    resumeNext(out, [&] { appendListTables(doc, state, out); });

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
    appendWord(out, "{\\edmins7}{\\nofpages", state.pageCount);
    out += "}{\\nofwords0}{\\nofchars0}{\\vern8351}}";

    bool landscape = doc.PageLandscape != 0;
    appendSheet(doc, landscape, {"\\paperw", "\\paperh", "\\margl", "\\margr", "\\margt", "\\margb"}, out);

    if (doc.Header) out += "\\pgbrdrhead\\headery720 ";
    if (doc.Footer) out += "\\pgbrdrfoot\\footery720 ";
    // Widow and orphan control on; footnotes at the bottom of the page; the
    // section's properties reset to their defaults.
    out += "\\widowctrl\\ftnbj \\sectd ";
    // Page numbering belongs to the section, so it follows "\sectd", which
    // resets the section's properties; and only a PAGE field makes readers
    // print a number.
    std::string number;
    if (doc.PageNumbersOn == True) {
        appendWord(out, "\\pgnstarts", doc.PageNumberStart);
        out += "\\pgncont\\pgnrestart";
        appendWord(out, "\\pgnx", doc.PageNumberMarginRight);
        appendWord(out, "\\pgny", doc.PageNumberMarginTop);
        out += "\\pgndec";
        resumeNext(number, [&] { appendPageNumber(doc, number, landscape ? doc.PageMarginTop : doc.PageMarginRight); });
        if (!number.empty()) appendWord(out, "\\headery", doc.PageNumberMarginTop);
    }
    // The header and footer render from the paragraphs' current state and
    // store nothing back, so every rendering of a document is the same.
    if (!number.empty()) {
        // The number stays when the host's header fails to render.
        out += "{\\header";
        out += number;
        if (doc.Header) resumeNext(out, [&] { Access::appendWrapped(*doc.Header, out); });
        out += '}';
    } else if (doc.Header) {
        resumeNext(out, [&] {
            out += "{\\header";
            Access::appendWrapped(*doc.Header, out);
            out += '}';
        });
    }
    if (doc.Footer) {
        resumeNext(out, [&] {
            out += "{\\footer";
            Access::appendWrapped(*doc.Footer, out);
            out += '}';
        });
    }

    // \pmmetafile28 names a picture's metafile type, out of place outside a
    // picture: readers pass over it; \endnhere puts endnotes at the end of
    // the section. Then the body's paragraph and character defaults.
    out += "\\pmmetafile28\\endnhere";
    out += "\\pard\\plain\\ql";
    resumeNext(out, [&] { appendWord(out, "\\f0\\fs", detail::mul(doc.FontDefaultHeight, 2)); });
    appendWord(out, "\\cb", state.white);
    appendWord(out, "\\cf", state.black);
    out += ' ';
}

// The page number at the top right of every page: its top PageNumberMarginTop
// from the page's top edge (the header's distance), its right end
// PageNumberMarginRight from the page's right edge, which is a negative right
// indent where it stands in the margin. A paragraph of its own, not a frame:
// LibreOffice and AbiWord place no frame in a header, and every reader tried
// honours the indent. The field's result, the start number, is what readers
// without fields show.
void appendPageNumber(const cDocument& doc, std::string& out, std::int32_t rightMargin) {
    std::int32_t indent = detail::sub(doc.PageNumberMarginRight, rightMargin);
    appendWord(out, "{\\pard\\plain\\qr\\ri", indent);
    // As in the body defaults, a size whose double overflows is left out.
    resumeNext(out, [&] { appendWord(out, "\\f0\\fs", detail::mul(doc.FontDefaultHeight, 2)); });
    appendWord(out, " {\\field{\\*\\fldinst PAGE }{\\fldrslt ", doc.PageNumberStart);
    out += "}}\\par}";
}

}  // namespace

namespace {

vlRTFOrientation orientationOf(const cPage& page) {
    return page.Orientation == oPortrait || page.Orientation == oLandscape ? page.Orientation : oDocument;
}

// A section's sheet, turned as asked, in the document's size and margins:
// the sheet is described in portrait terms, and landscape turns it with its
// margins, as the document's own.
void appendSectionSheet(const cDocument& doc, vlRTFOrientation orientation, std::string& out) {
    bool landscape = orientation == oLandscape;
    if (landscape) out += "\\lndscpsxn";
    appendSheet(doc, landscape,
                {"\\pgwsxn", "\\pghsxn", "\\marglsxn", "\\margrsxn", "\\margtsxn", "\\margbsxn"}, out);
    out += ' ';
}

}  // namespace

Boolean cDocument::InsertPage(const std::shared_ptr<cPage>& Page) {
    if (!Page) return False;
    detail::DocumentState& s = state();
    std::int32_t count = detail::add(s.pageCount, 1);
    // What goes before the page: nothing before the first, a page break
    // between pages, a section break where the orientation changes. A new
    // section starts from the document's defaults ("\\sectd") and numbers
    // its pages on; the first section keeps the document's numbering.
    const vlRTFOrientation orientation = orientationOf(*Page);
    const bool turns = orientation != (s.pageCount == 0 ? oDocument : s.lastOrientation);
    const bool later = s.pageCount > 0;
    std::int32_t sections = later && turns ? detail::add(s.sections, 1) : s.sections;
    std::string words(later && turns ? "\\sectd\\pgncont" : "");
    if (turns && orientation != oDocument) appendSectionSheet(*this, orientation, words);
    else if (turns) words += ' ';
    std::string before(!later ? "" : turns ? "\\sect" : "\\page ");
    if (turns) before += words;
    detail::ListSet lists = s.lists.with(Access::lists(*Page));
    s.pagesRtf.writeWhole([&] {
        s.pagesRtf.append(before);
        detail::appendContent(*Page, s.pagesRtf);
    });
    s.pageCount = count;
    s.lists.take(lists);
    if (turns) {
        s.lastOrientation = orientation;
        s.sections = sections;
        s.lastSectionWords.swap(words);
    }
    return True;
}

}  // namespace velloran
