#include <velloran/document.hpp>

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

namespace {

// Room for one more element, growing geometrically.
template <class Vector>
void roomForOneMore(Vector& v) {
    if (v.size() == v.capacity()) v.reserve(v.size() * 2 + 8);
}

}  // namespace

cDocument::cDocument() {
    auto& module = detail::moduleValues();
    module.blackColorIndex = ColorIndex(0);
    module.whiteColorIndex = ColorIndex(0xFFFFFF);
}

std::int32_t cDocument::FontIndex(const std::string& FontName, std::int32_t CharSet) {
    if (FontName.empty()) return 0;
    std::string key = platform::upperCase(FontName);
    // Slot 0 is the default font of this moment, so it is compared anew.
    if (platform::upperCase(FontDefaultName) == key) return 0;
    if (auto found = fontIndexes_.find(key); found != fontIndexes_.end()) return found->second;
    if (fontNames_.size() > static_cast<std::size_t>(INT32_MAX)) detail::overflow();
    std::int32_t charSet = CharSet == -1 ? FontDefaultCharSet : CharSet;
    auto index = static_cast<std::int32_t>(fontNames_.size());
    // Every container grows before any is changed, so a failure changes nothing.
    roomForOneMore(fontNames_);
    roomForOneMore(fontCharSets_);
    fontIndexes_.emplace(std::move(key), index);
    fontNames_.push_back(FontName);
    fontCharSets_.push_back(charSet);
    return index;
}

std::int32_t cDocument::ColorIndex(std::int32_t RGBColor) {
    if (auto found = colorIndexes_.find(RGBColor); found != colorIndexes_.end()) return found->second;
    if (colors_.size() >= static_cast<std::size_t>(INT32_MAX)) detail::overflow();
    roomForOneMore(colors_);
    auto index = static_cast<std::int32_t>(colors_.size() + 1);
    colorIndexes_.emplace(RGBColor, index);
    colors_.push_back(RGBColor);
    return index;
}

// The body drops the page break after the last page. Every page fragment
// ends with "}\page " and no other text of a page can hold "\page " (run
// text has its backslashes doubled), so the last break is the last six
// characters, and blanking it and trimming the spaces it leaves (the "}"
// before it stops the trimming) is leaving those six characters out.
template <class Visit>
void cDocument::forEachBodyPiece(Visit&& visit) const {
    std::size_t left = pagesRtf_.empty() ? 0 : pagesRtf_.size() - 6;
    pagesRtf_.forEach([&](std::string_view piece) {
        piece = piece.substr(0, std::min(piece.size(), left));
        left -= piece.size();
        if (!piece.empty()) visit(piece);
    });
}

std::string cDocument::Rtf() const {
    std::string out;
    // The header is a few hundred bytes unless the header or footer paragraph is large.
    out.reserve(pagesRtf_.size() + 4096);
    appendHeaderRtf(out);
    out += '{';
    forEachBodyPiece([&](std::string_view piece) { out.append(piece); });
    out += "}}";
    return out;
}

Boolean cDocument::Save(const std::string& sRTFFile) const {
    if (sRTFFile.empty()) return False;
    // The pages go to the file as they are held, never joined in memory.
    std::string header;
    appendHeaderRtf(header);
    header += '{';
    std::vector<std::string_view> pieces{header};
    forEachBodyPiece([&](std::string_view piece) { pieces.push_back(piece); });
    pieces.push_back("}}");
    platform::writeFileReplacing(sRTFFile, pieces);
    return detail::FileExists(sRTFFile) ? True : False;
}

namespace {

// Runs one piece of the header: a piece that fails writes nothing, and the
// header goes on with the next.
template <class Piece>
void resumeNext(std::string& out, Piece&& piece) {
    std::size_t mark = out.size();
    try {
        piece();
    } catch (...) {
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

}  // namespace

void cDocument::appendHeaderRtf(std::string& out) const {
    const auto& module = detail::moduleValues();
    std::string stamp;
    resumeNext(stamp, [&] { appendTimeStamp(stamp, platform::localNow()); });

    out += "{\\rtf1\\ansi\\ansicpg1253\\uc0\\deff0";
    out += "{\\fonttbl";
    appendFontEntry(out, 0, FontDefaultCharSet, FontDefaultName);
    for (std::size_t i = 1; i < fontNames_.size(); ++i)
        appendFontEntry(out, static_cast<std::int32_t>(i), fontCharSets_[i], fontNames_[i]);
    out += '}';

    out += "{\\colortbl;";
    for (std::int32_t color : colors_) {
        auto rgb = detail::SplitRGB(color);
        appendWord(out, "\\red", rgb.red);
        appendWord(out, "\\green", rgb.green);
        appendWord(out, "\\blue", rgb.blue);
        out += ';';
    }
    out += '}';

    // The default size: when doubling it overflows, only "\fs" and its number
    // are left out.
    out += "{\\stylesheet{";
    resumeNext(out, [&] { appendWord(out, "\\fs", detail::mul(FontDefaultHeight, 2)); });
    out += " \\snext0 Normal;}}";

    appendInfoString(out, "{\\info{\\author ", Author);
    appendInfoString(out, "{\\operator ", Operator);
    appendInfoString(out, "{\\title ", Title);
    appendInfoString(out, "{\\subject ", Subject);
    out += "{\\comment Brenmoor - Velloran.dll}";
    out += "{\\creatim";
    out += stamp;
    out += "}{\\revtim";
    out += stamp;
    out += "}{\\version2}";
    appendWord(out, "{\\edmins7}{\\nofpages", pageCount_);
    out += "}{\\nofwords0}{\\nofchars0}{\\vern8351}}";

    // The sheet is described in portrait terms; landscape turns it with its margins.
    bool landscape = PageLandscape != 0;
    appendWord(out, "\\paperw", landscape ? PageHeight : PageWidth);
    appendWord(out, "\\paperh", landscape ? PageWidth : PageHeight);
    appendWord(out, "\\margl", landscape ? PageMarginBottom : PageMarginLeft);
    appendWord(out, "\\margr", landscape ? PageMarginTop : PageMarginRight);
    appendWord(out, "\\margt", landscape ? PageMarginLeft : PageMarginTop);
    appendWord(out, "\\margb", landscape ? PageMarginRight : PageMarginBottom);

    if (Header) out += "\\pgbrdrhead\\headery720 ";
    if (Footer) out += "\\pgbrdrfoot\\footery720 ";
    out += "\\widowctrl\\ftnbj \\sectd ";
    // Page numbering belongs to the section, so it follows "\sectd", which
    // resets the section's properties; and only a PAGE field makes readers
    // print a number.
    std::string number;
    if (PageNumbersOn == True) {
        appendWord(out, "\\pgnstarts", PageNumberStart);
        out += "\\pgncont\\pgnrestart";
        appendWord(out, "\\pgnx", PageNumberMarginRight);
        appendWord(out, "\\pgny", PageNumberMarginTop);
        out += "\\pgndec";
        resumeNext(number, [&] { appendPageNumber(number, landscape ? PageMarginTop : PageMarginRight); });
        if (!number.empty()) appendWord(out, "\\headery", PageNumberMarginTop);
    }
    // The header and footer render from the paragraphs' current state and
    // store nothing back, so every rendering of a document is the same.
    if (Header || !number.empty()) {
        resumeNext(out, [&] {
            out += "{\\header";
            out += number;
            if (Header) detail::Access::appendWrapped(*Header, out);
            out += '}';
        });
    }
    if (Footer) {
        resumeNext(out, [&] {
            out += "{\\footer";
            detail::Access::appendWrapped(*Footer, out);
            out += '}';
        });
    }

    out += "\\pmmetafile28\\endnhere";
    out += "\\pard\\plain\\ql";
    resumeNext(out, [&] { appendWord(out, "\\f0\\fs", detail::mul(FontDefaultHeight, 2)); });
    appendWord(out, "\\cb", module.whiteColorIndex);
    appendWord(out, "\\cf", module.blackColorIndex);
    out += ' ';
}

// The page number at the top right of every page: its top PageNumberMarginTop
// from the page's top edge (the header's distance), its right end
// PageNumberMarginRight from the page's right edge, which is a negative right
// indent where it stands in the margin. A paragraph of its own, not a frame:
// LibreOffice and AbiWord place no frame in a header, and every reader tried
// honours the indent. The field's result, the start number, is what readers
// without fields show.
void cDocument::appendPageNumber(std::string& out, std::int32_t rightMargin) const {
    std::int32_t indent = detail::sub(PageNumberMarginRight, rightMargin);
    std::int32_t size = detail::mul(FontDefaultHeight, 2);
    appendWord(out, "{\\pard\\plain\\qr\\ri", indent);
    appendWord(out, "\\f0\\fs", size);
    appendWord(out, " {\\field{\\*\\fldinst PAGE }{\\fldrslt ", PageNumberStart);
    out += "}}\\par}";
}

Boolean cDocument::InsertPage(const std::shared_ptr<cPage>& Page) {
    if (!Page) return False;
    std::int32_t count = detail::add(pageCount_, 1);
    detail::Access::appendRtf(*Page, pagesRtf_);
    pageCount_ = count;
    return True;
}

}  // namespace velloran
