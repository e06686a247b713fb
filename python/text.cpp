// cBorder and cText.
#include <string>

#include "members.hpp"

namespace velloran::python {

void registerBorder(py::module_& m) {
    // cBorder
    Class<cBorder> border(m, "cBorder",
                          "cBorder()\n\nThe four sides of a paragraph's, picture's or cell's frame. Its colour starts "
                          "as the thread's BlackColorIndex().");
    field<LongValue>(border, "TopWidth", &cBorder::TopWidth, "Width of the top side in twips (default 20).");
    field<LongValue>(border, "LeftWidth", &cBorder::LeftWidth, "Width of the left side in twips (default 20).");
    field<LongValue>(border, "BottomWidth", &cBorder::BottomWidth, "Width of the bottom side in twips (default 20).");
    field<LongValue>(border, "RightWidth", &cBorder::RightWidth, "Width of the right side in twips (default 20).");
    // Docstrings made at run time live as long as the process: pybind11 may keep the pointer.
    static const std::string visibleDoc =
        booleanDoc("Whether the side is drawn: only True (-1) draws it (default False).");
    for (auto [name, member] : {std::pair{"TopVisible", &cBorder::TopVisible},
                                {"LeftVisible", &cBorder::LeftVisible},
                                {"BottomVisible", &cBorder::BottomVisible},
                                {"RightVisible", &cBorder::RightVisible}})
        field<BooleanValue>(border, name, member, visibleDoc.c_str());
    field<BorderTypeValue>(border, "BorderType", &cBorder::BorderType,
                           "Line style, a vlRTFBorderType (default bSingle); any 32-bit value is kept.");
    field<LongValue>(border, "BorderColorIndex", &cBorder::BorderColorIndex, "Colour index from cDocument.ColorIndex.");
    border.finish();
}

// cText's members of 1.3: position, capitals, highlight, spacing, bookmarks,
// contents and raw RTF.
void registerText13(Class<cText>& text) {
    field<VerticalPositionValue>(text, "VerticalPosition", &cText::VerticalPosition,
                                 "A vlRTFVerticalPosition: vSuperscript raises the run, vSubscript lowers it, both at "
                                 "the smaller size readers give them (default vNormal).");
    static const std::string smallCapsDoc = booleanDoc("Lower-case letters as small capitals (default False).");
    static const std::string allCapsDoc = booleanDoc("Every letter shown as a capital (default False).");
    static const std::string hiddenDoc = booleanDoc("Kept in the document, neither shown nor printed (default False).");
    field<BooleanValue>(text, "SmallCaps", &cText::SmallCaps, smallCapsDoc.c_str());
    field<BooleanValue>(text, "AllCaps", &cText::AllCaps, allCapsDoc.c_str());
    field<BooleanValue>(text, "Hidden", &cText::Hidden, hiddenDoc.c_str());
    field<LongValue>(text, "HighlightColorIndex", &cText::HighlightColorIndex,
                     "Colour index behind the text as a highlighter marks it; 0 for none (the default).");
    field<LongValue>(text, "CharacterSpacing", &cText::CharacterSpacing,
                     "Twips added between the letters, taken away when negative; 0 for none (the default).");
    field<StringValue>(text, "Bookmark", &cText::Bookmark,
                       "The run as the bookmark of this name, which links and contents lead to; empty for none.");
    field<StringValue>(text, "LinkToBookmark", &cText::LinkToBookmark,
                       "The bookmark the run links to, after Link's address when that is set; empty for none.");
    field<LongValue>(text, "ContentsLevels", &cText::ContentsLevels,
                     "1 to 9: the run holds a table of contents of headings of outline levels 1 to this, which "
                     "readers build when they update fields, showing the run's text until then; 0 for none.");
    property(
        text, "RawRtf", [](py::handle self_) { return py::str(initialized<cText>(self_).RawRtf()); },
        [](py::handle self_, py::handle value) {
            cText& self = initialized<cText>(self_);
            std::string s = toString(value);
            waitFree({&self});
            self.RawRtf(s);
        },
        "RTF written as it is after the run's text, in a group of its own. ArgumentError (5), the run unchanged, "
        "unless it is printable ASCII whose groups close where they open, without \\bin, the document's tables "
        "and destinations, or a table's or section's structure.");
}

void registerText(py::module_& m) {
    // cText
    Class<cText> text(m, "cText",
                      "cText()\n\nOne run of text with one set of character properties. Its colours start as the "
                      "thread's BlackColorIndex() and WhiteColorIndex().");
    field<LongValue>(text, "FontIndex", &cText::FontIndex, "Font index from cDocument.FontIndex (default 0).");
    field<LongValue>(text, "Height", &cText::Height, "Size in points (default 10); 0 writes no size.");
    static const std::string boldDoc = booleanDoc("Bold (default False)."),
                             italicDoc = booleanDoc("Italic (default False)."),
                             strikeDoc = booleanDoc("Struck through (default False).");
    field<BooleanValue>(text, "Bold", &cText::Bold, boldDoc.c_str());
    field<BooleanValue>(text, "Italic", &cText::Italic, italicDoc.c_str());
    field<BooleanValue>(text, "Strike", &cText::Strike, strikeDoc.c_str());
    field<LongValue>(text, "ForeColorIndex", &cText::ForeColorIndex, "Text colour index from cDocument.ColorIndex.");
    field<LongValue>(text, "BackColorIndex", &cText::BackColorIndex,
                     "Background colour index from cDocument.ColorIndex.");
    field<FieldValue>(text, "Field", &cText::Field,
                      "A vlRTFField the reader computes where the run stands (default fNone); the run's text, "
                      "which may be empty, is what readers that compute no fields show.");
    field<StringValue>(text, "Link", &cText::Link,
                       "The address the run links to, a URL or a file's path; empty for none (the default).");
    registerText13(text);
    using UnderlineGet = Boolean (cText::*)() const noexcept;
    using UnderlineSet = void (cText::*)(Boolean);
    struct Underline {
        const char* name;
        UnderlineGet get;
        UnderlineSet set;
        const char* doc;
    };
    static const std::string underlineDocs[] = {
        booleanDoc("Plain underline (default False). Setting True clears the other three kinds."),
        booleanDoc("Dotted underline (default False). Setting True clears plain and double underline."),
        booleanDoc("Double underline (default False). Setting True clears plain and dotted underline."),
        booleanDoc("Underline of words only (default False). Setting True clears plain underline."),
    };
    for (const Underline& u :
         {Underline{"Underline", &cText::Underline, &cText::Underline, underlineDocs[0].c_str()},
          Underline{"UnderlineDot", &cText::UnderlineDot, &cText::UnderlineDot, underlineDocs[1].c_str()},
          Underline{"UnderlineDouble", &cText::UnderlineDouble, &cText::UnderlineDouble, underlineDocs[2].c_str()},
          Underline{"UnderlineWords", &cText::UnderlineWords, &cText::UnderlineWords, underlineDocs[3].c_str()}}) {
        property(
            text, u.name,
            [get = u.get](py::handle self_) {
                const cText& self = initialized<cText>(self_);
                return fromBoolean((self.*get)());
            },
            [set = u.set](py::handle self_, py::handle value) {
                cText& self = initialized<cText>(self_);
                Boolean b = BooleanValue::in(value);
                waitFree({&self});
                (self.*set)(b);
            },
            u.doc);
    }
    writeOnly(
        text, "Text",
        [](py::handle self_, py::handle value) {
            cText& self = initialized<cText>(self_);
            std::string s = toString(value);
            waitFree({&self});
            self.Text(s);
        },
        "The text of the run (str, write-only), escaped for RTF at once.");
    text.finish();
}

}  // namespace velloran::python
