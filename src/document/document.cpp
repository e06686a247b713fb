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
#include "rtf/document.hpp"
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

std::string cDocument::Rtf() const {
    std::string out;
    // The header is a few hundred bytes unless the header or footer paragraph is large.
    const std::size_t size = rtf::bodySize(state());
    out.reserve(size + 4096);
    // A large document's string is advised for huge pages before it is written.
    if (size >= detail::Chunks::LargeFrom) platform::adviseLarge(out.data(), out.capacity());
    out += rtf::headerText(*this, state());
    rtf::forEachBodyPiece(*this, state(), [&](std::string_view piece) { out.append(piece); });
    return out;
}

Boolean cDocument::Save(const std::string& sRTFFile) const {
    if (sRTFFile.empty()) return False;
    // The pages go to the file as they are held, never joined in memory.
    const std::string header = rtf::headerText(*this, state());
    auto produce = [&](const platform::Sink& sink) {
        sink(header);
        rtf::forEachBodyPiece(*this, state(), sink);
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
    return key;
}

}  // namespace

Boolean cDocument::InsertPage(const std::shared_ptr<cPage>& Page) {
    if (!Page) return False;
    detail::DocumentState& s = state();
    std::int32_t count = detail::add(s.pageCount, 1);
    const bool later = s.pageCount > 0;
    // A page goes on in the section before it when it asks for the same;
    // the first page starts the first section, which the document's header
    // describes, and asks for words of its own only when it differs.
    const vlRTFOrientation orientation = rtf::orientationOf(*Page);
    std::string key = askedKey(*Page);
    const bool own = Page->PageHeader || Page->PageFooter;
    const bool turns = (later ? orientation != s.lastOrientation : orientation != oDocument) ||
                       key != s.lastSectionKey || Page->PageHeader != s.lastHeader || Page->PageFooter != s.lastFooter;
    std::string words = turns ? rtf::sectionWords(*this, *Page, later) : std::string();
    // A section returning to the document's header and footer after one that
    // had its own writes them again; one with its own has them written.
    const bool furniture = turns && (own || (later && s.lastOwnFurniture));
    const bool sheetless = turns && orientation == oDocument && !rtf::ownSheet(*Page);
    std::string before = rtf::pageBreak(later, turns);
    before += words;
    // Copies of the section's own header and footer, as they are now.
    auto copy = [](const std::shared_ptr<cPage>& page) {
        if (!page) return std::shared_ptr<const cPage>();
        auto taken = std::make_shared<cPage>(*page);
        taken->PageHeader = nullptr;
        taken->PageFooter = nullptr;
        return std::shared_ptr<const cPage>(std::move(taken));
    };
    std::shared_ptr<const cPage> header = furniture ? copy(Page->PageHeader) : nullptr;
    std::shared_ptr<const cPage> footer = furniture ? copy(Page->PageFooter) : nullptr;
    // The lists that the page's paragraphs and its section's header and
    // footer belong to.
    detail::ListSet named;
    for (const cPage* page : {static_cast<const cPage*>(Page.get()), header.get(), footer.get()})
        if (page) detail::addListsOf(Access::chunks(*page), named);
    detail::ListSet lists = s.lists.with(named);
    // A new segment where the writer writes the section's header and footer,
    // or after an assembled document's.
    const bool segment = furniture || sheetless || s.body.empty() || s.body.back().maps;
    if (segment) {
        detail::Segment next;
        next.furniture = furniture;
        next.sheetless = sheetless;
        next.header = std::move(header);
        next.footer = std::move(footer);
        if (furniture || sheetless) next.words = std::move(before);
        else next.text.append(before);
        detail::appendContent(*Page, next.text);
        if (s.body.size() == s.body.capacity()) s.body.reserve(s.body.size() * 2 + 4);
        s.body.push_back(std::move(next));
    } else {
        detail::Chunks& text = s.body.back().text;
        text.writeWhole([&] {
            text.append(before);
            detail::appendContent(*Page, text);
        });
    }
    s.pageCount = count;
    s.lists.take(lists);
    if (turns) {
        s.lastOrientation = orientation;
        s.lastSectionWords = std::move(words);
        s.lastSectionKey = std::move(key);
        s.lastSheetless = sheetless;
        s.lastHeader = Page->PageHeader;
        s.lastFooter = Page->PageFooter;
        s.lastOwnFurniture = own;
    }
    return True;
}

namespace {

// What an assembled document's indexes are in the whole, entering its fonts,
// colours and styles there; its lists become lists of their own, numbered
// after every list the whole has so far.
detail::IndexMaps enterTables(cDocument& whole, const cDocument& part, const detail::DocumentState& p) {
    detail::IndexMaps maps;
    maps.fonts.push_back(whole.FontIndex(part.FontDefaultName, part.FontDefaultCharSet));
    for (std::size_t k = 1; k < p.fontNames.size(); ++k)
        maps.fonts.push_back(whole.FontIndex(p.fontNames[k], p.fontCharSets[k]));
    for (std::int32_t color : p.colors) maps.colors.push_back(whole.ColorIndex(color));
    for (const std::string& style : p.styles) maps.styles.push_back(whole.StyleIndex(style));
    const detail::ListSet lists = rtf::documentLists(whole, Access::state(whole));
    const auto& numbers = lists.numbers();
    const std::int32_t highest = numbers.empty() ? 0 : numbers.back();
    maps.listShift = detail::add(highest, highest % 2);
    return maps;
}

// One of an assembled document's segments as a segment of the whole: its
// section words, with its document's sheet where they lean on it, and the
// header and footer its writer would write, all as text of the part.
detail::Segment partSegment(const cDocument& part, const detail::Segment& from, bool facing,
                            const std::shared_ptr<const detail::IndexMaps>& maps) {
    detail::Segment out;
    std::string words = from.words;
    if (from.sheetless) rtf::appendSectionSheet(rtf::sheetOf(part), part.PageLandscape != 0, words);
    if (from.furniture) rtf::appendSectionFurniture(words, part, facing, from.header.get(), from.footer.get());
    out.text.append(words);
    out.text.appendShared(from.text);
    out.maps = from.maps ? std::make_shared<const detail::IndexMaps>(maps->after(*from.maps)) : maps;
    return out;
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
    // into at once, and put back as they were when a later step fails.
    auto fontNames = s.fontNames;
    auto fontCharSets = s.fontCharSets;
    auto fontIndexes = s.fontIndexes;
    auto colors = s.colors;
    auto colorIndexes = s.colorIndexes;
    auto styles = s.styles;
    std::vector<detail::Segment> segments;
    detail::ListSet lists = s.lists;
    std::string last;
    try {
        auto maps = std::make_shared<const detail::IndexMaps>(enterTables(*this, part, p));
        const detail::ListSet partLists = rtf::documentLists(part, p);
        for (std::int32_t n : partLists.numbers()) lists.add(detail::add(n, maps->listShift));
        segments.reserve(p.body.size());
        // The part's pages face each other as the whole's do, or as its own.
        const bool facing = rtf::facingPages(*this, s) || rtf::facingPages(part, p);
        for (const detail::Segment& from : p.body) segments.push_back(partSegment(part, from, facing, maps));
        segments.front().text.prepend(rtf::partOpening(part, s.pageCount > 0, RestartNumbering, facing));
        // The last section's words, said again after the pages.
        last = rtf::partClosing(part, p);
        if (s.body.capacity() - s.body.size() < segments.size())
            s.body.reserve(std::max(s.body.size() * 2, s.body.size() + segments.size()));
    } catch (...) {
        s.fontNames = std::move(fontNames);
        s.fontCharSets = std::move(fontCharSets);
        s.fontIndexes = std::move(fontIndexes);
        s.colors = std::move(colors);
        s.colorIndexes = std::move(colorIndexes);
        s.styles = std::move(styles);
        throw;
    }
    // Nothing fails from here on.
    for (detail::Segment& segment : segments) s.body.push_back(std::move(segment));
    s.lists = std::move(lists);
    s.pageCount = count;
    s.facing = s.facing || rtf::facingPages(part, p);
    s.lastSectionWords.swap(last);
    // The next page of the whole's own starts a section of the whole's.
    s.lastSectionKey = "\x01";
    s.lastHeader = nullptr;
    s.lastFooter = nullptr;
    s.lastOwnFurniture = true;
    s.lastSheetless = false;
    return True;
}

}  // namespace velloran
