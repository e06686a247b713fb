// cDocument.
#include <string>

#include "members.hpp"
#include "members_cDocument.hpp"

namespace velloran::python {

void registerDocumentMethods(Class<cDocument>& document);

void registerDocument(py::module_& m) {
    // cDocument
    Class<cDocument> document(
        m, "cDocument",
        "cDocument()\n\nThe root object: page set-up, fonts, colours, information and pages. Creating one enters "
        "black and white as colour indexes 1 and 2 and sets the thread's BlackColorIndex() and WhiteColorIndex().");
    generatedMembers(document);
    registerDocumentMethods(document);
    document.finish();
}

// cDocument's parts from other documents.
void registerAssembly(Class<cDocument>& document) {
    method(
        document, "InsertDocument", "(self, /, document, restart=False)",
        [](py::handle self_, py::handle value, py::handle restart) {
            cDocument& self = initialized<cDocument>(self_);
            const auto& d = toObject<cDocument>(value);
            Boolean r = BooleanValue::in(restart);
            waitFree({&self, d.get()});
            return fromBoolean(self.InsertDocument(d, r));
        },
        std::array{Parameter{"document", "Document"}, Parameter{"restart", "RestartNumbering", py::bool_(false)}},
        "InsertDocument(document: cDocument | None, restart: bool = False) -> bool\n\nAppend the document's "
        "pages as they are now as a section of this one, with its sheet, header, footer and sections; its fonts, "
        "colours and styles entered here, its lists its own. Page numbers go on, or start again at its "
        "PageNumberStart when restart. False for None or a document without pages; ArgumentError (5) for this "
        "document itself.");
}

// cDocument's pages, tables and renderings.
void registerDocumentMethods(Class<cDocument>& document) {
    method(
        document, "InsertPage", "(self, /, page)",
        [](py::handle self_, py::handle value) {
            cDocument& self = initialized<cDocument>(self_);
            const auto& p = toObject<cPage>(value);
            waitFree({&self});
            return fromBoolean(self.InsertPage(p));
        },
        std::array{Parameter{"page", "Page"}},
        "InsertPage(page: cPage | None) -> bool\n\nAppend the page as it is now; False for None. Error 6 past "
        "2147483647 pages.");
    registerAssembly(document);
    method(
        document, "FontIndex", "(self, /, name, charset=-1)",
        [](py::handle self_, py::handle name, py::handle charSet) {
            cDocument& self = initialized<cDocument>(self_);
            std::string n = toString(name);
            std::int32_t c = toLong(charSet);
            waitFree({&self});
            return self.FontIndex(n, c);
        },
        std::array{Parameter{"name", "FontName"}, Parameter{"charset", "CharSet", py::int_(-1)}},
        "FontIndex(name: str, charset: int = -1) -> int\n\nThe index of a font in the font table, entering it "
        "when it is new. Names compare case-insensitively; an empty name and the default font's name give 0. "
        "charset -1 takes the current FontDefaultCharSet; an entered font keeps its character set.");
    method(
        document, "StyleIndex", "(self, /, name)",
        [](py::handle self_, py::handle name) {
            cDocument& self = initialized<cDocument>(self_);
            std::string n = toString(name);
            waitFree({&self});
            return self.StyleIndex(n);
        },
        std::array{Parameter{"name", "StyleName"}},
        "StyleIndex(name: str) -> int\n\nThe index of a paragraph style in the style sheet, entering it when it "
        "is new (1 on; 0 is Normal). \"heading 1\" to \"heading 9\" are the built-in headings, entered with their "
        "outline level. ArgumentError (5) for an empty name.");
    method(
        document, "ColorIndex", "(self, /, rgb)",
        [](py::handle self_, py::handle rgb) {
            cDocument& self = initialized<cDocument>(self_);
            std::int32_t c = toLong(rgb);
            waitFree({&self});
            return self.ColorIndex(c);
        },
        std::array{Parameter{"rgb", "RGBColor"}},
        "ColorIndex(rgb: int) -> int\n\nThe colour index of an RGB value (red in the lowest byte), entering it "
        "when it is new.");
    method(
        document, "Rtf", "(self, /)",
        [](py::handle self_) {
            const cDocument& self = initialized<cDocument>(self_);
            return py::str(render(self, [&] { return self.Rtf(); }));
        },
        "Rtf() -> str\n\nThe complete document, plain ASCII. Other Python threads run meanwhile.");
    method(
        document, "Save", "(self, /, path)",
        [](py::handle self_, py::handle file) {
            const cDocument& self = initialized<cDocument>(self_);
            std::string path = toPath(file);
            return fromBoolean(withFileName(path, [&] { return render(self, [&] { return self.Save(path); }); }));
        },
        std::array{Parameter{"path", "sRTFFile"}},
        "Save(path: str | os.PathLike) -> bool\n\nWrite the document to a file: False for an empty path, "
        "otherwise True when the file exists afterwards and is not empty. An existing file is replaced only once "
        "the new text is complete. Errors 52, 53, 61, 70, 75 and 76 for file failures. Other Python threads run "
        "meanwhile.");
}

}  // namespace velloran::python
