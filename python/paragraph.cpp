// cParagraph.
#include <string>

#include "members.hpp"
#include "members_cParagraph.hpp"

namespace velloran::python {

// cParagraph's tab stops.
void registerTabStops(Class<cParagraph>& paragraph) {
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
    generatedMembers(paragraph);
    registerTabStops(paragraph);
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
    method(
        paragraph, "InsertEndnote", "(self, /, note)",
        [](py::handle self_, py::handle value) {
            cParagraph& self = initialized<cParagraph>(self_);
            const auto& note = toObject<cParagraph>(value);
            waitFree({&self, note.get()});
            return fromBoolean(self.InsertEndnote(note));
        },
        std::array{Parameter{"note", "Note"}},
        "InsertEndnote(note: cParagraph | None) -> bool\n\nAppend an endnote mark and the note paragraph as it "
        "is now, gathered at the end of the document; False for None or the paragraph itself. Error 91 when the "
        "note's Border is None.");
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
