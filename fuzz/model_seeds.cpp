// Writes the seed corpus of model_fuzz: small programs that each reach one
// area of the object model, so the fuzzer starts from complete documents.
//
//     model_seeds DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model_ops.hpp"

using namespace velloran::fuzz;

namespace {

class Program {
public:
    Program& set(Class cls, int slot, int field, std::uint8_t valueByte) {
        put({OpSet, cls, static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(field), valueByte});
        return *this;
    }
    Program& setRaw(Class cls, int slot, int field, std::uint32_t value) {
        put({OpSet, cls, static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(field), RawValue});
        for (int shift = 24; shift >= 0; shift -= 8) bytes_ += static_cast<char>(value >> shift & 0xFF);
        return *this;
    }
    // A text field: the field's number, then the text as plain characters.
    Program& setText(Class cls, int slot, int field, const std::string& text) {
        put({OpSet, cls, static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(field)});
        return this->text(text);
    }
    Program& text(const std::string& text) {
        bytes_ += static_cast<char>(text.size());
        bytes_ += text;
        return *this;
    }
    Program& insert(Relation r, int target, int child) {
        put({OpInsert, r, static_cast<std::uint8_t>(target), static_cast<std::uint8_t>(child)});
        return *this;
    }
    Program& assign(Reference r, int target, int source) {
        put({OpAssign, r, static_cast<std::uint8_t>(target), static_cast<std::uint8_t>(source)});
        return *this;
    }
    // A table of columns x rows cells from slot 0, bounds from 1.
    Program& table(int page, int columns, int rows) {
        put({OpTable, static_cast<std::uint8_t>(page), 2});
        for (int extent : {columns, rows}) put({1, static_cast<std::uint8_t>(extent)});
        bytes_.append(static_cast<std::size_t>(columns * rows), '\0');
        return *this;
    }
    Program& save(int doc, int target) {
        put({OpSave, static_cast<std::uint8_t>(doc), static_cast<std::uint8_t>(target)});
        return *this;
    }
    Program& font(int doc, const std::string& name) {
        put({OpFont, static_cast<std::uint8_t>(doc)});
        text(name);
        bytes_ += '\xFF';  // character set -1
        return *this;
    }
    Program& color(int doc, std::uint8_t valueByte) {
        put({OpColor, static_cast<std::uint8_t>(doc), valueByte});
        return *this;
    }
    // Operands of the fuzzer's own making: raw RTF's words, a thread's operation.
    Program& then(std::initializer_list<std::uint8_t> b) {
        put(b);
        return *this;
    }
    const std::string& bytes() const { return bytes_; }

private:
    void put(std::initializer_list<std::uint8_t> b) {
        for (auto v : b) bytes_ += static_cast<char>(v);
    }
    std::string bytes_;
};

// Field numbers as the fuzzer takes them (modulo each class's field count).
enum : int {
    TextText = 11,
    TextRawRtf = 12,
    TextContents = 17,
    DocTitle = 2,
    ParagraphAlign = 0,
    ParagraphOutline = 6,
    PictureFile = 0,
    PictureScale = 3
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::vector<std::pair<std::string, Program>> seeds;

    // A page of text with a header, a footer, fonts and colours, saved.
    Program text;
    text.setText(ClsDocument, 0, DocTitle, "Seed {1}")
        .setText(ClsText, 0, TextText, "Hello, \\world {x}\t\r\n")
        .insert(InsText, 0, 0)
        .insert(InsText, 0, 0)
        .font(0, "Times New Roman")
        .color(0, 17)
        .assign(RefHeader, 0, 1)
        .assign(RefFooter, 0, 1)
        .insert(InsPageParagraph, 0, 0)
        .insert(InsPage, 0, 0)
        .save(0, 0);
    seeds.emplace_back("text", text);

    // A table of two columns and three rows, then the same cells again.
    Program table;
    table.setText(ClsText, 0, TextText, "cell")
        .insert(InsText, 0, 0)
        .insert(InsCellParagraph, 0, 0)
        .table(0, 2, 3)
        .table(0, 1, 1)
        .insert(InsPage, 0, 0)
        .save(0, 1);
    seeds.emplace_back("table", table);

    // Every shape in a drawing, the drawing in two paragraphs.
    Program drawing;
    drawing.set(ClsPoint, 0, 0, 20)
        .insert(InsPolylinePoint, 0, 0)
        .insert(InsPolygonPoint, 0, 0)
        .set(ClsPoint, 0, 1, 11)
        .insert(InsPolylinePoint, 0, 0)
        .insert(InsPolygonPoint, 0, 0)
        .setText(ClsText, 0, TextText, "box")
        .assign(RefBoxText, 0, 0)
        .set(ClsRect, 0, 2, 11)
        .insert(InsRect, 0, 0)
        .insert(InsEllipse, 0, 0)
        .insert(InsLine, 0, 0)
        .insert(InsPolyline, 0, 0)
        .insert(InsPolygon, 0, 0)
        .insert(InsDrawingText, 0, 0)
        .insert(InsDrawing, 0, 0)
        .insert(InsDrawing, 1, 0)
        .insert(InsPageParagraph, 0, 0)
        .insert(InsPageParagraph, 0, 1)
        .insert(InsPage, 0, 0);
    seeds.emplace_back("drawing", drawing);

    // Each kind of picture file, scaled.
    Program picture;
    for (std::uint8_t file = 0; file < 5; ++file) {
        picture.set(ClsPicture, 0, PictureFile, file).insert(InsPicture, 0, 0);
        picture.set(ClsPicture, 0, PictureScale, 1).insert(InsPicture, 0, 0);
        picture.set(ClsPicture, 0, PictureScale, 0);
    }
    picture.insert(InsPageParagraph, 0, 0).insert(InsPage, 0, 0).save(0, 2);
    seeds.emplace_back("picture", picture);

    // One paragraph into two pages, a page into the document twice, and
    // values at the edges of 16 and 32 bits.
    Program nesting;
    nesting.setText(ClsText, 0, TextText, "\xC3\xA9\xE2\x80\xA2")
        .insert(InsText, 0, 0)
        .insert(InsPageParagraph, 0, 0)
        .insert(InsPageParagraph, 1, 0)
        .set(ClsParagraph, 0, ParagraphAlign, 5)
        .insert(InsCellParagraph, 0, 0)
        .insert(InsPage, 0, 0)
        .insert(InsPage, 0, 0)
        .insert(InsPage, 0, 1)
        .setRaw(ClsText, 0, 1, 0x40000000)  // Height: doubling overflows
        .insert(InsText, 1, 0)
        .setRaw(ClsCell, 0, 1, 0x8000)  // BackColorIndex beyond 16 bits
        .table(1, 1, 1)
        .setRaw(ClsLine, 0, 0, 0x80000000)
        .set(ClsLine, 0, 2, 1)
        .insert(InsLine, 0, 0)
        .save(0, 3)
        .save(0, 4)
        .save(0, 5);
    seeds.emplace_back("edges", nesting);

    // Texts past the sizes from which pieces are shared: one paragraph in
    // two pages, a page in two documents, then a table that fails after them.
    const std::string medium(1, static_cast<char>(TextPiece)), large(1, static_cast<char>(TextPiece + 1));
    Program shared;
    shared.setText(ClsText, 0, TextText, large)
        .setText(ClsText, 1, TextText, medium)
        .insert(InsText, 0, 0)
        .insert(InsText, 0, 1)
        .insert(InsText, 0, 0)
        .set(ClsPicture, 0, PictureFile, 1)
        .insert(InsPicture, 0, 0)
        .assign(RefHeader, 1, 0)
        .insert(InsPageParagraph, 0, 0)
        .insert(InsPageParagraph, 1, 0)
        .insert(InsPage, 0, 0)
        .insert(InsPage, 1, 0)
        .insert(InsPage, 0, 1)
        .insert(InsText, 1, 1)
        .insert(InsCellParagraph, 0, 1)
        .setRaw(ClsCell, 1, 1, 0x8000)
        .table(0, 2, 2)
        .insert(InsPage, 1, 0)
        .save(0, 0)
        .save(1, 1);
    seeds.emplace_back("shared", shared);

    // Header and footer pages, a section's own, a table of contents of a
    // heading, raw RTF, and inserts into a header page from another thread.
    Program furniture;
    furniture.setText(ClsText, 0, TextText, "Heading")
        .set(ClsParagraph, 0, ParagraphOutline, 1)
        .insert(InsText, 0, 0)
        .insert(InsPageParagraph, 0, 0)
        .set(ClsText, 1, TextContents, 2)
        .then({OpSet, ClsText, 1, TextRawRtf, 4, 3, 0xA0, 0, 0xA1})  // \emdash{x}
        .insert(InsText, 1, 1)
        .insert(InsPageParagraph, 0, 1)
        .assign(RefPageHeader, 0, 1)
        .assign(RefEvenPageFooter, 0, 1)
        .assign(RefSectionHeader, 0, 1)
        .insert(InsPage, 0, 0)
        .then({OpThread, OpInsert, InsPageParagraph, 1, 1})
        .save(0, 0);
    seeds.emplace_back("furniture", furniture);

    for (const auto& [name, program] : seeds) std::ofstream(dir / name, std::ios::binary) << program.bytes();
    return 0;
}
