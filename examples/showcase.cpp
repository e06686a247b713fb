// Writes a showcase document: two pages with a header and a footer,
// formatted runs, a bordered and shaded table, and a drawing of every shape.
//
//     showcase [output.rtf]
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

namespace {

std::shared_ptr<cText> run(const std::string& text, std::int32_t font = 0, std::int32_t color = 0) {
    auto t = std::make_shared<cText>();
    t->FontIndex = font;
    if (color) t->ForeColorIndex = color;
    t->Text(text);
    return t;
}

std::shared_ptr<cParagraph> paragraph(const std::shared_ptr<cText>& text, vlRTFAlignment align = aLeft) {
    auto p = std::make_shared<cParagraph>();
    p->Align = align;
    p->InsertText(text);
    return p;
}

// The six shapes in a row below the first line of their paragraph (Top
// twips down), which leaves them room with its space after.
constexpr std::int32_t Top = 600;

std::shared_ptr<cDrawing> allShapes(cDocument&) {
    auto drawing = std::make_shared<cDrawing>();
    auto line = std::make_shared<cLine>();
    line->y1 = Top, line->x2 = 1440, line->y2 = Top + 720, line->PenRGBColor = 0x0000FF;
    drawing->InsertLine(line);
    auto rect = std::make_shared<cRect>();
    rect->x = 1700, rect->y = Top, rect->Width = 1200, rect->Height = 720;
    rect->FillForeRGBColor = 0xFFCC99, rect->FillBackRGBColor = 0xFFCC99, rect->FillPattern = 1;
    drawing->InsertRect(rect);
    auto ellipse = std::make_shared<cEllipse>();
    ellipse->x = 3100, ellipse->y = Top, ellipse->Width = 720, ellipse->Height = 720;
    ellipse->FillForeRGBColor = 0x00CC00, ellipse->FillBackRGBColor = 0x00CC00, ellipse->FillPattern = 1;
    drawing->InsertEllipse(ellipse);
    auto polyline = std::make_shared<cPolyline>();
    auto polygon = std::make_shared<cPolygon>();
    auto point = std::make_shared<cPoint>();
    for (auto [x, y] : {std::pair{4000, 720}, {4400, 0}, {4800, 720}, {5200, 0}}) {
        point->x = x, point->y = Top + y;
        polyline->InsertPoint(point);
    }
    for (auto [x, y] : {std::pair{5600, 720}, {6000, 0}, {6400, 720}}) {
        point->x = x, point->y = Top + y;
        polygon->InsertPoint(point);
    }
    polygon->FillForeRGBColor = 0x3399FF, polygon->FillBackRGBColor = 0x3399FF, polygon->FillPattern = 1;
    drawing->InsertPolyline(polyline);
    drawing->InsertPolygon(polygon);
    auto box = std::make_shared<cDrawingText>();
    box->x = 6800, box->y = Top, box->Width = 2000, box->Height = 720;
    box->Text(run("A text box"));
    drawing->InsertText(box);
    return drawing;
}

// A 24-bit BMP file of a colour wheel on white, w x h pixels.
void writeWheel(const std::string& path, int w, int h) {
    const int stride = (w * 3 + 3) & ~3;
    std::string file(54 + static_cast<std::size_t>(stride) * h, '\0');
    auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    file[0] = 'B', file[1] = 'M';
    put(2, static_cast<std::uint32_t>(file.size()), 4);
    put(10, 54, 4), put(14, 40, 4), put(18, static_cast<std::uint32_t>(w), 4),
        put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2), put(28, 24, 2);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double dx = x - w / 2.0, dy = y - h / 2.0, r = std::hypot(dx, dy) / (h / 2.0);
            double a = std::atan2(dy, dx);
            auto channel = [&](double phase) {
                return r > 1 ? 255 : static_cast<int>(127.5 + 127.5 * std::cos(a + phase));
            };
            std::size_t at = 54 + static_cast<std::size_t>(y) * stride + x * 3;
            file[at] = static_cast<char>(channel(4.19)), file[at + 1] = static_cast<char>(channel(2.09));
            file[at + 2] = static_cast<char>(channel(0));
        }
    }
    std::ofstream(path, std::ios::binary) << file;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : "showcase.rtf";
    try {
        cDocument doc;
        doc.Title = "Velloran showcase";
        doc.Author = "Velloran";
        doc.PageNumbersOn = True;
        std::int32_t serif = doc.FontIndex("Times New Roman");
        std::int32_t mono = doc.FontIndex("Courier New");
        std::int32_t red = doc.ColorIndex(0x0000C0);
        std::int32_t blue = doc.ColorIndex(0xC00000);
        std::int32_t shade = doc.ColorIndex(0xE0E0E0);

        doc.Header = paragraph(run("Velloran showcase \xe2\x80\x94 header"), aCenter);
        doc.Footer = paragraph(run("Written by Velloran \xe2\x80\x94 footer"), aRight);

        auto first = std::make_shared<cPage>();
        auto title = run("Rich Text from code", serif);
        title->Height = 20;
        title->Bold = True;
        first->InsertParagraph(paragraph(title, aCenter));

        auto body = std::make_shared<cParagraph>();
        body->Align = aJustified;
        body->SpaceAfter = 120;
        body->InsertText(run("Runs carry their own formatting: "));
        auto bold = run("bold, ");
        bold->Bold = True;
        body->InsertText(bold);
        auto italic = run("italic, ", 0, red);
        italic->Italic = True;
        body->InsertText(italic);
        auto under = run("underlined, ", 0, blue);
        under->Underline(True);
        body->InsertText(under);
        auto code = run("monospaced {braces} and \\backslashes\\, ", mono);
        body->InsertText(code);
        body->InsertText(
            run("and text in any script: \xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac, "
                "\xd0\xa0\xd1\x83\xd1\x81\xd1\x81\xd0\xba\xd0\xb8\xd0\xb9, \xe2\x82\xac 12."));
        first->InsertParagraph(body);

        auto boxed = paragraph(run("A paragraph with a double border."));
        boxed->Border->TopVisible = boxed->Border->BottomVisible = True;
        boxed->Border->LeftVisible = boxed->Border->RightVisible = True;
        boxed->Border->BorderType = bDouble;
        boxed->Border->BorderColorIndex = blue;
        boxed->IndentLeft = 720, boxed->IndentRight = 720, boxed->SpaceBefore = 240;
        first->InsertParagraph(boxed);

        auto shapes = std::make_shared<cParagraph>();
        shapes->SpaceBefore = 240, shapes->SpaceAfter = 1400;
        shapes->InsertText(run("Shapes: "));
        shapes->InsertDrawing(allShapes(doc));
        shapes->InsertText(run(" one group of six shapes, drawn below."));
        first->InsertParagraph(shapes);
        doc.InsertPage(first);

        auto second = std::make_shared<cPage>();
        second->InsertParagraph(paragraph(run("A table", serif)));
        CellArray cells({{1, 3}, {1, 3}});
        const char* names[3][3] = {{"Item", "Count", "Price"}, {"Apples", "3", "1.20"}, {"Pears", "5", "2.50"}};
        for (int r = 1; r <= 3; ++r) {
            for (int c = 1; c <= 3; ++c) {
                auto cell = std::make_shared<cCell>();
                cell->Width = c == 1 ? 3000 : 1500;
                if (r == 1) cell->BackColorIndex = shade;
                auto text = run(names[r - 1][c - 1]);
                if (r == 1) text->Bold = True;
                cell->InsertParagraph(paragraph(text, c == 1 ? aLeft : aRight));
                cells.at({c, r}) = cell;
            }
        }
        second->InsertTable(cells);
        // A picture, converted to a metafile and embedded in the paragraph.
        std::string wheel = (std::filesystem::temp_directory_path() / "velloran-showcase-wheel.bmp").string();
        writeWheel(wheel, 160, 120);
        auto picture = std::make_shared<cPicture>();
        picture->File = wheel;
        picture->Border->TopVisible = picture->Border->BottomVisible = True;
        picture->Border->LeftVisible = picture->Border->RightVisible = True;
        auto pictured = paragraph(run("A picture: "));
        pictured->SpaceBefore = 240;
        pictured->InsertPicture(picture);
        pictured->InsertText(run(" a colour wheel."));
        std::filesystem::remove(wheel);
        second->InsertParagraph(pictured);
        second->InsertParagraph(paragraph(run("The end.")));
        doc.InsertPage(second);

        if (doc.Save(path) != True) {
            std::fprintf(stderr, "showcase: %s was not written\n", path.c_str());
            return 1;
        }
        std::printf("wrote %s (%d pages)\n", path.c_str(), doc.LastPage());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "showcase: %s\n", e.what());
        return 1;
    }
}
