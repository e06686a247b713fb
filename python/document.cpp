// cDocument.
#include <string>

#include "members.hpp"

namespace velloran::python {

void registerDocumentMethods(Class<cDocument>& document);

void registerDocument(py::module_& m) {
    // cDocument
    Class<cDocument> document(
        m, "cDocument",
        "cDocument()\n\nThe root object: page set-up, fonts, colours, information and pages. Creating one enters "
        "black and white as colour indexes 1 and 2 and sets the thread's BlackColorIndex() and WhiteColorIndex().");
    field<StringValue>(document, "Author", &cDocument::Author, "Author of the document information.");
    field<StringValue>(document, "Operator", &cDocument::Operator, "Operator of the document information.");
    field<StringValue>(document, "Title", &cDocument::Title, "Title of the document information.");
    field<StringValue>(document, "Subject", &cDocument::Subject, "Subject of the document information.");
    field<LongValue>(document, "PageWidth", &cDocument::PageWidth, "Sheet width in twips, portrait (default 11906).");
    field<LongValue>(document, "PageHeight", &cDocument::PageHeight,
                     "Sheet height in twips, portrait (default 16837).");
    field<LongValue>(document, "PageMarginLeft", &cDocument::PageMarginLeft, "Left margin in twips (default 1440).");
    field<LongValue>(document, "PageMarginRight", &cDocument::PageMarginRight, "Right margin in twips (default 1440).");
    field<LongValue>(document, "PageMarginTop", &cDocument::PageMarginTop, "Top margin in twips (default 1440).");
    field<LongValue>(document, "PageMarginBottom", &cDocument::PageMarginBottom,
                     "Bottom margin in twips (default 1440).");
    static const std::string landscapeDoc = booleanDoc("Landscape sheet: any non-zero value turns it (default False).");
    static const std::string numbersDoc = booleanDoc("Page numbering: only True (-1) writes it (default False).");
    field<BooleanValue>(document, "PageLandscape", &cDocument::PageLandscape, landscapeDoc.c_str());
    field<BooleanValue>(document, "PageNumbersOn", &cDocument::PageNumbersOn, numbersDoc.c_str());
    field<LongValue>(document, "PageNumberStart", &cDocument::PageNumberStart, "First page number (default 1).");
    field<LongValue>(document, "PageNumberMarginRight", &cDocument::PageNumberMarginRight,
                     "Page number's distance from the right edge in twips (default 720).");
    field<LongValue>(document, "PageNumberMarginTop", &cDocument::PageNumberMarginTop,
                     "Page number's distance from the top edge in twips (default 720).");
    field<StringValue>(document, "FontDefaultName", &cDocument::FontDefaultName, "Default font (default \"Arial\").");
    field<LongValue>(document, "FontDefaultCharSet", &cDocument::FontDefaultCharSet,
                     "Character set of the default font (default 0).");
    field<LongValue>(document, "FontDefaultHeight", &cDocument::FontDefaultHeight,
                     "Default font size in points (default 10).");
    objectField<cParagraph>(document, "Header", &cDocument::Header,
                            "cParagraph repeated at the top of every page, read at every Rtf or Save; None for none.");
    objectField<cParagraph>(document, "Footer", &cDocument::Footer,
                            "cParagraph repeated at the bottom of every page, read at every Rtf or Save; None for "
                            "none.");
    objectField<cPage>(document, "PageHeader", &cDocument::PageHeader,
                       "cPage whose paragraphs, tables and pictures head every page after Header; None for none.");
    objectField<cPage>(document, "PageFooter", &cDocument::PageFooter,
                       "cPage whose content foots every page after Footer; None for none.");
    objectField<cPage>(document, "FirstPageHeader", &cDocument::FirstPageHeader,
                       "cPage heading the first page in place of the others (an empty cPage: none); None for none.");
    objectField<cPage>(document, "FirstPageFooter", &cDocument::FirstPageFooter,
                       "cPage footing the first page in place of the others; None for none.");
    objectField<cPage>(document, "EvenPageHeader", &cDocument::EvenPageHeader,
                       "cPage heading the even pages, with the page number when PageNumbersOn; None for none.");
    objectField<cPage>(document, "EvenPageFooter", &cDocument::EvenPageFooter,
                       "cPage footing the even pages; None for none.");
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
    property(
        document, "LastPage", [](py::handle self) { return LongValue::out(initialized<cDocument>(self).LastPage()); },
        nullptr, "Number of pages inserted so far (read-only).");
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
