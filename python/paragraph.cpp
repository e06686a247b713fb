// cParagraph.
#include <string>

#include "members.hpp"

namespace velloran::python {

// cParagraph's members of 1.3: pagination, line spacing, outline, style and
// tab stops.
void registerParagraph13(Class<cParagraph>& paragraph) {
    static const std::string keepWithNextDoc =
        booleanDoc("Kept on the page of the paragraph after it (default False).");
    static const std::string keepTogetherDoc = booleanDoc("Its lines kept on one page (default False).");
    static const std::string breakBeforeDoc = booleanDoc("A new page before it (default False).");
    static const std::string widowDoc =
        booleanDoc("Widow and orphan control: other than True, a page may end on a lone line of it (default True).");
    field<BooleanValue>(paragraph, "KeepWithNext", &cParagraph::KeepWithNext, keepWithNextDoc.c_str());
    field<BooleanValue>(paragraph, "KeepTogether", &cParagraph::KeepTogether, keepTogetherDoc.c_str());
    field<BooleanValue>(paragraph, "PageBreakBefore", &cParagraph::PageBreakBefore, breakBeforeDoc.c_str());
    field<BooleanValue>(paragraph, "WidowControl", &cParagraph::WidowControl, widowDoc.c_str());
    field<SingleValue>(paragraph, "LineSpacingMultiple", &cParagraph::LineSpacingMultiple,
                       "Line spacing as a multiple of single spacing, a 32-bit float (1.5, 2 for double); not above 0 "
                       "(the default) leaves it to SpaceBetweenLines.");
    field<LongValue>(paragraph, "OutlineLevel", &cParagraph::OutlineLevel,
                     "A heading's level in the outline, 1 to 9; other values (the default 0) make no heading.");
    field<LongValue>(paragraph, "StyleIndex", &cParagraph::StyleIndex,
                     "The paragraph's style, an index from cDocument.StyleIndex; 0 (the default) is Normal.");
    method(
        paragraph, "AddTabStop", "(self, /, position, alignment=0, leader=0)",
        [](py::handle self_, py::handle position, py::handle alignment, py::handle leader) {
            cParagraph& self = initialized<cParagraph>(self_);
            std::int32_t p = toLong(position);
            vlRTFTabAlignment a = TabAlignmentValue::in(alignment);
            vlRTFTabLeader l = TabLeaderValue::in(leader);
            waitFree({&self});
            return fromBoolean(self.AddTabStop(p, a, l));
        },
        std::array{Parameter{"position", "Position"}, Parameter{"alignment", "Alignment", py::int_(0)},
                   Parameter{"leader", "Leader", py::int_(0)}},
        "AddTabStop(position: int, alignment: vlRTFTabAlignment | int = tLeft, leader: vlRTFTabLeader | int = "
        "tlNone) -> bool\n\nAdd a tab stop position twips from the left margin for the text after a tab; stops "
        "are written in the order added. ArgumentError (5) for a negative position.");
    method(
        paragraph, "ClearTabStops", "(self, /)",
        [](py::handle self_) {
            cParagraph& self = initialized<cParagraph>(self_);
            waitFree({&self});
            return fromBoolean(self.ClearTabStops());
        },
        "ClearTabStops() -> bool\n\nRemove every tab stop added.");
}

void registerParagraph(py::module_& m) {
    // cParagraph
    Class<cParagraph> paragraph(m, "cParagraph",
                                "cParagraph()\n\nA paragraph of runs, drawings and pictures. Each insert renders the "
                                "child at once: changing the child later does not change the paragraph.");
    field<AlignmentValue>(paragraph, "Align", &cParagraph::Align,
                          "Alignment, a vlRTFAlignment (default aLeft); any other 32-bit value is kept and writes "
                          "no paragraph wrapper.");
    objectField<cBorder>(paragraph, "Border", &cParagraph::Border,
                         "The paragraph's cBorder (a new one of its own at first); None fails the paragraph's "
                         "rendering with error 91.");
    field<LongValue>(paragraph, "IndentFirstLine", &cParagraph::IndentFirstLine, "First-line indent in twips.");
    field<LongValue>(paragraph, "IndentLeft", &cParagraph::IndentLeft, "Left indent in twips.");
    field<LongValue>(paragraph, "IndentRight", &cParagraph::IndentRight, "Right indent in twips.");
    field<LongValue>(paragraph, "SpaceBefore", &cParagraph::SpaceBefore, "Space before in twips.");
    field<LongValue>(paragraph, "SpaceAfter", &cParagraph::SpaceAfter, "Space after in twips.");
    field<LongValue>(paragraph, "SpaceBetweenLines", &cParagraph::SpaceBetweenLines, "Line spacing in twips.");
    field<ListValue>(paragraph, "ListStyle", &cParagraph::ListStyle,
                     "A vlRTFList: lBullet or lNumber make the paragraph a list item (default lNone).");
    field<LongValue>(paragraph, "ListLevel", &cParagraph::ListLevel,
                     "The item's level, 0 (the outermost, the default) to 8; values outside count as the nearest.");
    field<LongValue>(paragraph, "ListId", &cParagraph::ListId,
                     "The list the item belongs to (default 1): items of one kind with the same id number on "
                     "across the document, another id starts again at 1.");
    registerParagraph13(paragraph);
    method(
        paragraph, "InsertFootnote", "(self, /, note)",
        [](py::handle self_, py::handle value) {
            cParagraph& self = initialized<cParagraph>(self_);
            const auto& note = toObject<cParagraph>(value);
            // The note is rewrapped as a page takes a paragraph.
            waitFree({&self, note.get()});
            return fromBoolean(self.InsertFootnote(note));
        },
        std::array{Parameter{"note", "Note"}},
        "InsertFootnote(note: cParagraph | None) -> bool\n\nAppend a footnote mark and the note paragraph as it "
        "is now; False for None or the paragraph itself. Error 91 when the note's Border is None.");
    insert<cParagraph, cText>(paragraph, "InsertText", "text", "Text", &cParagraph::InsertText,
                              "InsertText(text: cText | None) -> bool\n\nAppend the run as it is now. None or an "
                              "empty text appends nothing and still returns True. Error 6 when the size overflows.");
    insert<cParagraph, cDrawing>(paragraph, "InsertDrawing", "drawing", "Drawing", &cParagraph::InsertDrawing,
                                 "InsertDrawing(drawing: cDrawing | None) -> bool\n\nAppend the drawing group as it "
                                 "is now; False for None.");
    method(
        paragraph, "InsertPicture", "(self, /, picture)",
        [](py::handle self_, py::handle value) {
            cParagraph& self = initialized<cParagraph>(self_);
            const auto& picture = toObject<cPicture>(value);
            std::string file = picture ? picture->File : std::string();
            return fromBoolean(withFileName(file, [&] {
                auto objects = [&] {
                    return std::array<const void*, 3>{&self, picture.get(), picture ? picture->Border.get() : nullptr};
                };
                return withoutGil(objects, [&] { return self.InsertPicture(picture); });
            }));
        },
        std::array{Parameter{"picture", "Picture"}},
        "InsertPicture(picture: cPicture | None) -> bool\n\nAppend the picture's file (BMP, PNG, JPEG, GIF or a "
        "placeable metafile) converted to a Windows metafile, or, as its Embedding says, a PNG or JPEG file as it "
        "is (alone or beside the metafile). False for None or a file that cannot be read. Other Python threads "
        "run meanwhile.");
    paragraph.finish();
}

}  // namespace velloran::python
