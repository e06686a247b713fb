#include <velloran/document.hpp>

#include <algorithm>
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
#include "document/document_state.hpp"
#include "rtf/header.hpp"

namespace velloran {

using detail::appendNum;
using detail::appendWord;

struct cDocument::State : detail::DocumentState {};

namespace {

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

cDocument::cDocument(const cDocument&) = default;
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

const detail::DocumentState& Access::state(const cDocument& document) { return document.state(); }

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

namespace {

// Style names as readers tell them apart: without the ";" the style sheet
// leaves out, and regardless of letter case (Word's built-in "heading 1" is
// "Heading 1").
std::string styleKey(const std::string& name) {
    std::string key = name;
    std::erase(key, ';');
    return platform::upperCase(key);
}

}  // namespace

std::int32_t cDocument::StyleIndex(const std::string& StyleName) {
    std::string key = styleKey(StyleName);
    if (key.empty()) throw Error(errors::InvalidArgument);
    auto& styles = state().styles;
    for (std::size_t i = 0; i < styles.size(); ++i)
        if (styleKey(styles[i]) == key) return static_cast<std::int32_t>(i + 1);
    if (styles.size() >= static_cast<std::size_t>(INT32_MAX)) detail::overflow();
    styles.push_back(StyleName);
    return static_cast<std::int32_t>(styles.size());
}

// The body drops the page break after the last page. Every page fragment
// ends with "}\page ", so the last break is the last six characters (what
// a page holds before them, raw RTF's own "\page " included, stays), and
// blanking it and trimming the spaces it leaves (the "}" before it stops
// the trimming) is leaving those six characters out.
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

}  // namespace

std::string cDocument::Rtf() const {
    std::string out;
    // The header is a few hundred bytes unless the header or footer paragraph is large.
    out.reserve(state().pagesRtf.size() + 4096);
    // A large document's string is advised for huge pages before it is written.
    if (state().pagesRtf.size() >= detail::Chunks::LargeFrom) platform::adviseLarge(out.data(), out.capacity());
    rtf::appendHeader(out, *this, state());
    out += '{';
    forEachBodyPiece(state(), [&](std::string_view piece) { out.append(piece); });
    return out;
}

Boolean cDocument::Save(const std::string& sRTFFile) const {
    if (sRTFFile.empty()) return False;
    // The pages go to the file as they are held, never joined in memory.
    std::string header;
    rtf::appendHeader(header, *this, state());
    header += '{';
    std::vector<std::string_view> pieces{header};
    forEachBodyPiece(state(), [&](std::string_view piece) { pieces.push_back(piece); });
    // A device took all of it when the writing did not fail; a file is
    // looked at.
    if (platform::writeFileReplacing(sRTFFile, pieces) == platform::Written::Device) return True;
    return detail::FileExists(sRTFFile) ? True : False;
}

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
    rtf::appendSheet(out, doc, landscape,
                     {"\\pgwsxn", "\\pghsxn", "\\marglsxn", "\\margrsxn", "\\margtsxn", "\\margbsxn"});
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
        s.lastSectionWords.swap(words);
    }
    return True;
}

}  // namespace velloran
