// cText: one run of text with one set of character properties.
#pragma once

#include <string>

#include <velloran/fwd.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cText {
public:
    // Starts with the thread's BlackColorIndex and WhiteColorIndex as its
    // colours (0 before the thread's first cDocument).
    VELLORAN_API cText();

    std::int32_t FontIndex = 0;  // index returned by cDocument::FontIndex
    std::int32_t Height = 10;    // points; 0 writes no size
    Boolean Bold = False;
    Boolean Italic = False;
    Boolean Strike = False;
    std::int32_t ForeColorIndex;  // index returned by cDocument::ColorIndex
    std::int32_t BackColorIndex;

    // The four underline kinds. Setting one to True clears the kinds it
    // excludes: plain excludes all three others, dotted and double exclude
    // each other and plain, word underline excludes plain only.
    Boolean Underline() const noexcept { return underline_; }
    VELLORAN_API void Underline(Boolean value);
    Boolean UnderlineDot() const noexcept { return underlineDot_; }
    VELLORAN_API void UnderlineDot(Boolean value);
    Boolean UnderlineDouble() const noexcept { return underlineDouble_; }
    VELLORAN_API void UnderlineDouble(Boolean value);
    Boolean UnderlineWords() const noexcept { return underlineWords_; }
    VELLORAN_API void UnderlineWords(Boolean value);

    // Write-only: the UTF-8 text of the run, escaped for RTF at once.
    VELLORAN_API void Text(const std::string& text);

    // A field the reader computes where the run stands (the page's number,
    // the number of pages, today's date); the run's text, which may be empty,
    // is what readers that compute no fields show. fNone, or a value outside
    // the enumeration, writes the run as it is.
    vlRTFField Field = fNone;
    // The address the run links to: a URL, or a file's path; empty for none.
    // A link without text writes nothing, as any run without text.
    std::string Link;

    // Raised or lowered, at the smaller size readers give it (\super,
    // \sub); vNormal, or a value outside the enumeration, on the line.
    vlRTFVerticalPosition VerticalPosition = vNormal;
    Boolean SmallCaps = False;  // lower-case letters as small capitals
    Boolean AllCaps = False;    // every letter as a capital
    Boolean Hidden = False;     // kept in the document, not shown or printed
    // The colour behind the text as a highlighter marks it, an index from
    // cDocument::ColorIndex; 0 for none.
    std::int32_t HighlightColorIndex = 0;
    // Twips added between the letters (negative: taken away); 0 for none.
    std::int32_t CharacterSpacing = 0;
    // The run's characters right to left (Arabic, Hebrew), in a paragraph
    // that is so too; and the font of its East Asian characters, an index
    // from cDocument::FontIndex with the font's character set (134
    // simplified Chinese, 128 Japanese, 129 Korean, 136 traditional
    // Chinese), below 0 for none.
    Boolean RightToLeft = False;
    std::int32_t EastAsianFontIndex = -1;

    // The run is the bookmark of this name, which links and a table of
    // contents lead to; empty for none.
    std::string Bookmark;
    // The bookmark the run links to, in this document (after Link's address
    // when that is set too); empty for none.
    std::string LinkToBookmark;
    // 1 to 9: the run holds a table of contents of the headings of outline
    // levels 1 to this, each linked to its page. Readers build it when they
    // update fields; until then they show the run's text. Other values make
    // none.
    std::int32_t ContentsLevels = 0;

    // RTF the host wrote, written as it is after the run's text, in a group
    // of its own inside the run's ("{\\uc1 " + it + "}"). Refused with error
    // 5, the run unchanged, unless it is printable ASCII whose groups close
    // where they open (no brace it does not open, none left open, each \\'
    // with its two digits, no backslash at its end), without "\\bin", the
    // document's own tables, destinations and information, the words of a
    // table's or a section's structure, pictures, drawing objects, words of
    // over 32 letters, or a field's instruction or result outside a group
    // opened by "\\field": it changes the run and its paragraph, and nothing
    // around them.
    const std::string& RawRtf() const noexcept { return rawRtf_; }
    VELLORAN_API void RawRtf(const std::string& rtf);

private:
    friend struct Access;

    std::string escapedText_;
    std::string rawRtf_;
    Boolean underline_ = False;
    Boolean underlineDot_ = False;
    Boolean underlineDouble_ = False;
    Boolean underlineWords_ = False;
};

}  // namespace velloran
