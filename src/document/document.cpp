#include <velloran/document.hpp>

#include <algorithm>
#include <array>
#include <unordered_map>
#include <variant>
#include <vector>

#include <velloran/border.hpp>
#include <velloran/page.hpp>
#include <velloran/paragraph.hpp>

#include "common/access.hpp"
#include "common/checked.hpp"
#include "common/clock.hpp"
#include "common/color.hpp"
#include "common/module_values.hpp"
#include "common/numtext.hpp"
#include "common/platform.hpp"
#include "common/records.hpp"
#include "common/files.hpp"
#include "document/document_state.hpp"
#include "rtf/document.hpp"
#include "rtf/furniture.hpp"
#include "rtf/header.hpp"
#include "rtf/section.hpp"

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

const std::string& cDocument::CreationTime() const { return state().creationTime; }

void cDocument::CreationTime(const std::string& value) {
    if (!value.empty() && !detail::parseTime(value))
        throw Error(errors::InvalidArgument, "cDocument.CreationTime = \"" + value + '"');
    state().creationTime = value;
}

std::int32_t cDocument::StyleIndex(const std::string& StyleName) {
    std::string key = styleKey(StyleName);
    if (key.empty()) throw Error(errors::InvalidArgument);
    auto& s = state();
    if (auto found = s.styleIndexes.find(key); found != s.styleIndexes.end()) return found->second;
    if (s.styles.size() >= static_cast<std::size_t>(INT32_MAX)) detail::overflow();
    std::string name = StyleName;
    roomForOneMore(s.styles);
    const auto index = static_cast<std::int32_t>(s.styles.size() + 1);
    s.styleIndexes.emplace(std::move(key), index);
    s.styles.push_back(std::move(name));
    return index;
}

std::string cDocument::Rtf() const {
    const rtf::Gathered gathered = rtf::gather(*this, state());
    std::string out;
    // The text is somewhat longer than the records it is written from (the
    // words a paragraph's place writes); the room a large document's string
    // does not use is never touched.
    const std::size_t records = rtf::bodySize(state()) + rtf::furnitureSize(*this);
    const std::size_t size = records + records / 4;
    out.reserve(size + 4096);
    // A large document's string is advised for huge pages before it is written.
    if (size >= detail::Chunks::LargeFrom) platform::adviseLarge(out.data(), out.capacity());
    rtf::Output to(out);
    rtf::writeHeader(to, *this, state(), gathered.lists);
    rtf::writeBody(*this, state(), gathered, to);
    // A smaller one gives back the room it does not use.
    if (out.size() < detail::Chunks::LargeFrom && out.capacity() - out.size() > 4096) out.shrink_to_fit();
    return out;
}

Boolean cDocument::Save(const std::string& sRTFFile) const {
    if (sRTFFile.empty()) return False;
    const rtf::Gathered gathered = rtf::gather(*this, state());
    // The header and the pages go to the file as they are held, never
    // joined in memory.
    auto produce = [&](const platform::Sink& sink) {
        rtf::Output to(sink);
        rtf::writeHeader(to, *this, state(), gathered.lists);
        rtf::writeBody(*this, state(), gathered, to);
    };
    // A device took all of it when the writing did not fail; a file is
    // looked at.
    if (platform::writeFileReplacing(sRTFFile, produce) == platform::Written::Device) return True;
    return detail::FileExists(sRTFFile) ? True : False;
}

namespace {

// What a page asks of its section beyond its orientation and its header and
// footer, as a text to compare: nothing for a page that asks nothing.
std::string askedKey(const cPage& page) {
    std::string key;
    if (page.PageNumberStart > 0) appendWord(key, "n", page.PageNumberStart);
    if (rtf::ownSheet(page))
        for (std::int32_t value : {page.PageWidth, page.PageHeight, page.PageMarginLeft, page.PageMarginRight,
                                   page.PageMarginTop, page.PageMarginBottom})
            appendWord(key, " ", value);
    key += rtf::layoutWords(page);
    return key;
}

// A copy of a header or footer page as it is now, for a section's own.
std::shared_ptr<const cPage> copyOf(const std::shared_ptr<cPage>& page) {
    if (!page) return nullptr;
    auto taken = std::make_shared<cPage>(*page);
    taken->PageHeader = nullptr;
    taken->PageFooter = nullptr;
    return taken;
}

// A page as a section holds it: its Page record.
void appendPageRecord(detail::Chunks& pages, const cPage& page) {
    pages.append(static_cast<char>(detail::Tag::Page));
    pages.appendShared(Access::records(page));
    pages.append(static_cast<char>(detail::Tag::End));
}

// The objects the last section held to compare with the next page are no
// longer compared once another entry follows it.
void releaseAsked(detail::DocumentState& s) noexcept {
    if (s.body.empty()) return;
    if (auto* last = std::get_if<detail::Section>(&s.body.back())) {
        last->headerAsked = nullptr;
        last->footerAsked = nullptr;
    }
}

// Room for one more entry of the body, so that adding it cannot fail.
void roomForEntry(detail::DocumentState& s) {
    if (s.body.size() == s.body.capacity()) s.body.reserve(s.body.size() * 2 + 4);
}

}  // namespace

Boolean cDocument::InsertPage(const std::shared_ptr<cPage>& Page) {
    if (!Page) return False;
    detail::DocumentState& s = state();
    std::int32_t count = detail::add(s.pageCount, 1);
    const bool later = s.pageCount > 0;
    // A page goes on in the section before it when it asks for the same;
    // the first page starts the first section, which the document's header
    // describes, and asks for words of its own only when it differs. After
    // an assembled document, a page starts a section of this document's.
    detail::Section* last = s.body.empty() ? nullptr : std::get_if<detail::Section>(&s.body.back());
    const bool afterPart = !s.body.empty() && !last;
    const vlRTFOrientation orientation = rtf::orientationOf(*Page);
    std::string key = askedKey(*Page);
    const bool own = Page->PageHeader || Page->PageFooter;
    const bool turns =
        afterPart || (last ? orientation != last->orientation || key != last->key ||
                                 Page->PageHeader != last->headerAsked || Page->PageFooter != last->footerAsked
                           : orientation != oDocument || !key.empty() || own);
    if (last && !turns) {
        last->pages.writeWhole([&] { appendPageRecord(last->pages, *Page); });
        last->holds |= Access::holds(*Page);
        s.pageCount = count;
        return True;
    }
    // A section returning to the document's header and footer after one that
    // had its own writes them again; one with its own has them written.
    const bool ownBefore = afterPart || (last && last->own);
    detail::Section next;
    next.turns = turns;
    next.words = turns ? rtf::sectionWords(*this, *Page, later) : std::string();
    next.before = rtf::pageBreak(later, turns) + next.words;
    next.furniture = turns && (own || (later && ownBefore));
    next.sheetless = turns && orientation == oDocument && !rtf::ownSheet(*Page);
    if (next.furniture) {
        next.header = copyOf(Page->PageHeader);
        next.footer = copyOf(Page->PageFooter);
    }
    next.orientation = orientation;
    next.key = std::move(key);
    next.headerAsked = Page->PageHeader;
    next.footerAsked = Page->PageFooter;
    next.own = own;
    appendPageRecord(next.pages, *Page);
    next.holds = Access::holds(*Page);
    roomForEntry(s);
    // Nothing fails from here on.
    releaseAsked(s);
    s.body.emplace_back(std::move(next));
    s.pageCount = count;
    return True;
}

namespace {

// The sizes of a document's tables, to cut them back to.
struct TableSizes {
    std::size_t fonts, colors, styles;

    explicit TableSizes(const detail::DocumentState& s)
        : fonts(s.fontNames.size()), colors(s.colors.size()), styles(s.styles.size()) {}

    // Everything entered since these sizes goes again.
    void cutBack(detail::DocumentState& s) const noexcept {
        // Font k is slot k, colour and style k slot k - 1.
        auto from = [](std::size_t least) {
            return [least](const auto& entry) { return static_cast<std::size_t>(entry.second) >= least; };
        };
        std::erase_if(s.fontIndexes, from(fonts));
        std::erase_if(s.colorIndexes, from(colors + 1));
        std::erase_if(s.styleIndexes, from(styles + 1));
        s.fontNames.resize(fonts);
        s.fontCharSets.resize(fonts);
        s.colors.resize(colors);
        s.styles.resize(styles);
    }
};

// What an assembled document's fonts, colours and styles are in the whole,
// entering them there.
detail::IndexMaps enterTables(cDocument& whole, const cDocument& part, const detail::DocumentState& p) {
    detail::IndexMaps maps;
    maps.fonts.push_back(whole.FontIndex(part.FontDefaultName, part.FontDefaultCharSet));
    for (std::size_t k = 1; k < p.fontNames.size(); ++k)
        maps.fonts.push_back(whole.FontIndex(p.fontNames[k], p.fontCharSets[k]));
    for (std::int32_t color : p.colors) maps.colors.push_back(whole.ColorIndex(color));
    for (const std::string& style : p.styles) maps.styles.push_back(whole.StyleIndex(style));
    return maps;
}

// A copy of a document as it is now, with copies of its header and footer
// objects: what the whole writes of it.
std::shared_ptr<const cDocument> snapshotOf(const cDocument& part) {
    auto copy = std::make_shared<cDocument>(part);
    auto paragraph = [](std::shared_ptr<cParagraph>& p) {
        if (!p) return;
        auto taken = std::make_shared<cParagraph>(*p);
        if (taken->Border) taken->Border = std::make_shared<cBorder>(*taken->Border);
        p = std::move(taken);
    };
    auto page = [](std::shared_ptr<cPage>& p) {
        if (!p) return;
        auto taken = std::make_shared<cPage>(*p);
        taken->PageHeader = nullptr;
        taken->PageFooter = nullptr;
        p = std::move(taken);
    };
    paragraph(copy->Header);
    paragraph(copy->Footer);
    for (auto* p : {&copy->PageHeader, &copy->PageFooter, &copy->FirstPageHeader, &copy->FirstPageFooter,
                    &copy->EvenPageHeader, &copy->EvenPageFooter})
        page(*p);
    return copy;
}

}  // namespace

Boolean cDocument::InsertDocument(const std::shared_ptr<cDocument>& Document, Boolean RestartNumbering) {
    if (!Document) return False;
    if (Document.get() == this) throw Error(errors::InvalidArgument);
    const cDocument& part = *Document;
    const detail::DocumentState& p = part.state();
    if (p.pageCount == 0) return False;
    detail::DocumentState& s = state();
    const std::int32_t count = detail::add(s.pageCount, p.pageCount);
    // Everything is made before anything is taken; the tables are entered
    // into at once, and cut back when a later step fails.
    detail::Part entry;
    entry.later = s.pageCount > 0;
    entry.restart = RestartNumbering == True;
    // The part's pages face each other as the whole's do, or as its own.
    entry.facing = rtf::facingPages(*this, s) || rtf::facingPages(part, p);
    const TableSizes sizes(s);
    try {
        entry.document = snapshotOf(part);
        entry.maps = enterTables(*this, part, p);
        roomForEntry(s);
    } catch (...) {
        sizes.cutBack(s);
        throw;
    }
    // Nothing fails from here on.
    s.facing = s.facing || rtf::facingPages(part, p);
    releaseAsked(s);
    s.body.emplace_back(std::move(entry));
    s.pageCount = count;
    return True;
}

}  // namespace velloran
