// Writes the documents that the reader suite hands to independent RTF
// readers, each beside a JSON file that says what the host put in: the
// information strings, the header and footer, every paragraph with its text
// and formatting, and the tables with the text of their cells.
//
//     reader_corpus FOLDER
//     reader_corpus --large FOLDER    the documents of the opening benchmark
#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include <velloran/velloran.hpp>

using namespace velloran;

namespace {

// JSON text of a UTF-8 string.
std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

// What a run was given, for the expectation.
struct RunGiven {
    std::string text;
    bool bold = false, italic = false, underline = false, strike = false;
    std::string font;       // empty: the document's default font
    std::int32_t rgb = -1;  // -1: automatic (black)
    std::int32_t points = 10;
    // 1.3's character formats; in the expectation only when set.
    vlRTFVerticalPosition position = vNormal;
    bool smallCaps = false, allCaps = false;
    std::int32_t highlight = -1;  // an RGB value, or -1 for none
    std::int32_t spacing = 0;     // twips

    bool formats13() const { return position != vNormal || smallCaps || allCaps || highlight != -1 || spacing != 0; }
};

struct ParagraphGiven {
    std::vector<RunGiven> runs;
    vlRTFAlignment align = aLeft;
    std::int32_t left = 0, right = 0, first = 0, before = 0, after = 0;
    bool boxed = false;
    std::string object;  // "picture" or "drawing" after the runs, or nothing
    std::string tail;    // text after the object
    std::string shapes;  // a drawing's shapes as JSON, in the order inserted
    // 1.3's pagination, line spacing and outline; in the expectation only when set.
    bool keepNext = false, keepTogether = false, breakBefore = false, widows = true;
    float lineMultiple = 0;
    std::int32_t outline = 0;

    bool flow13() const {
        return keepNext || keepTogether || breakBefore || !widows || lineMultiple != 0 || outline != 0;
    }

    std::string text() const {
        std::string t;
        for (const auto& r : runs) t += r.text;
        return t;
    }
};

// Builds one document and records what went into it.
class Corpus {
public:
    explicit Corpus(std::string name) : name_(std::move(name)) {}

    cDocument doc;

    std::shared_ptr<cText> run(const RunGiven& given) {
        auto t = std::make_shared<cText>();
        t->Text(given.text);
        t->Bold = given.bold ? True : False;
        t->Italic = given.italic ? True : False;
        t->Strike = given.strike ? True : False;
        t->Underline(given.underline ? True : False);
        t->Height = given.points;
        if (!given.font.empty()) t->FontIndex = doc.FontIndex(given.font);
        if (given.rgb != -1) t->ForeColorIndex = doc.ColorIndex(given.rgb);
        t->VerticalPosition = given.position;
        t->SmallCaps = given.smallCaps ? True : False;
        t->AllCaps = given.allCaps ? True : False;
        if (given.highlight != -1) t->HighlightColorIndex = doc.ColorIndex(given.highlight);
        t->CharacterSpacing = given.spacing;
        return t;
    }

    std::shared_ptr<cParagraph> paragraph(const ParagraphGiven& given) {
        auto p = std::make_shared<cParagraph>();
        p->Align = given.align;
        p->IndentLeft = given.left, p->IndentRight = given.right, p->IndentFirstLine = given.first;
        p->SpaceBefore = given.before, p->SpaceAfter = given.after;
        if (given.boxed) {
            p->Border->TopVisible = p->Border->BottomVisible = True;
            p->Border->LeftVisible = p->Border->RightVisible = True;
        }
        p->KeepWithNext = given.keepNext ? True : False;
        p->KeepTogether = given.keepTogether ? True : False;
        p->PageBreakBefore = given.breakBefore ? True : False;
        p->WidowControl = given.widows ? True : False;
        p->LineSpacingMultiple = given.lineMultiple;
        p->OutlineLevel = given.outline;
        for (const auto& r : given.runs) p->InsertText(run(r));
        return p;
    }

    // A paragraph on the page, recorded in the body.
    void add(cPage& page, const ParagraphGiven& given) { addBuilt(page, paragraph(given), given); }
    void addBuilt(cPage& page, const std::shared_ptr<cParagraph>& p, const ParagraphGiven& given) {
        page.InsertParagraph(p);
        body_.push_back(paragraphJson(given));
    }

    // A table of cells, each holding the paragraphs given: inserted whole,
    // or a row at a time as a host writing a large table does.
    void table(cPage& page, const std::vector<std::vector<std::vector<ParagraphGiven>>>& rows, std::int32_t shade,
               bool byRows = false) {
        std::int32_t columns = static_cast<std::int32_t>(rows.front().size());
        std::int32_t height = byRows ? 1 : static_cast<std::int32_t>(rows.size());
        CellArray cells({{1, columns}, {1, height}});
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                auto cell = std::make_shared<cCell>();
                cell->Width = 2400;
                if (r == 0) cell->BackColorIndex = shade;
                for (const auto& given : rows[r][c]) cell->InsertParagraph(paragraph(given));
                cells.at({static_cast<std::int32_t>(c + 1), byRows ? 1 : static_cast<std::int32_t>(r + 1)}) = cell;
            }
            if (byRows) page.InsertTable(cells);
        }
        if (!byRows) page.InsertTable(cells);
        std::string json = "{\"table\": [";
        for (std::size_t r = 0; r < rows.size(); ++r) {
            json += r ? ", [" : "[";
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                json += c ? ", [" : "[";
                for (std::size_t p = 0; p < rows[r][c].size(); ++p)
                    json += (p ? ", " : "") + paragraphJson(rows[r][c][p]);
                json += "]";
            }
            json += "]";
        }
        body_.push_back(json + "], \"shaded_rows\": [1]}");
    }

    void header(const ParagraphGiven& given) {
        doc.Header = paragraph(given);
        header_ = given.text();
    }
    void footer(const ParagraphGiven& given) {
        doc.Footer = paragraph(given);
        footer_ = given.text();
    }
    void note(const std::string& key, const std::string& value) { extra_.push_back({key, value}); }

    void write(const std::string& folder) {
        std::string rtf = folder + "/" + name_ + ".rtf";
        if (doc.Save(rtf) != True) throw std::runtime_error("not saved: " + rtf);
        std::ofstream json(folder + "/" + name_ + ".json", std::ios::binary);
        json << "{\"document\": " << quoted(name_ + ".rtf");
        json << ", \"title\": " << quoted(doc.Title) << ", \"author\": " << quoted(doc.Author);
        json << ", \"subject\": " << quoted(doc.Subject) << ", \"operator\": " << quoted(doc.Operator);
        json << ", \"header\": " << quoted(header_) << ", \"footer\": " << quoted(footer_);
        json << ", \"landscape\": " << (doc.PageLandscape ? "true" : "false");
        json << ", \"page_numbers\": " << (doc.PageNumbersOn == True ? "true" : "false");
        json << ", \"page_number_start\": " << doc.PageNumberStart;
        json << ", \"page_number_right\": " << doc.PageNumberMarginRight;
        json << ", \"page_number_top\": " << doc.PageNumberMarginTop;
        json << ", \"page_width\": " << doc.PageWidth << ", \"page_height\": " << doc.PageHeight;
        for (const auto& [key, value] : extra_) json << ", " << quoted(key) << ": " << quoted(value);
        json << ",\n \"body\": [";
        for (std::size_t i = 0; i < body_.size(); ++i) json << (i ? ",\n  " : "\n  ") << body_[i];
        json << "]}\n";
    }

private:
    static std::string paragraphJson(const ParagraphGiven& p) {
        static const char* aligns[] = {"left", "right", "center", "justify"};
        std::string out = "{\"text\": " + quoted(p.text()) + ", \"object\": " + quoted(p.object);
        out += ", \"tail\": " + quoted(p.tail);
        out += ", \"align\": \"" + std::string(aligns[p.align]) + "\"";
        out += ", \"left\": " + std::to_string(p.left) + ", \"right\": " + std::to_string(p.right);
        out += ", \"first\": " + std::to_string(p.first) + ", \"before\": " + std::to_string(p.before);
        out += ", \"after\": " + std::to_string(p.after);
        out += std::string(", \"boxed\": ") + (p.boxed ? "true" : "false");
        if (p.flow13()) {
            auto flag = [&](const char* key, bool value) {
                out += std::string(", \"") + key + "\": " + (value ? "true" : "false");
            };
            flag("keep_next", p.keepNext);
            flag("keep_together", p.keepTogether);
            flag("break_before", p.breakBefore);
            flag("widows", p.widows);
            out += ", \"line_multiple\": " + std::to_string(p.lineMultiple) +
                   ", \"outline\": " + std::to_string(p.outline);
        }
        if (!p.shapes.empty()) out += ", \"shapes\": [" + p.shapes + "]";
        out += ", \"runs\": [";
        for (std::size_t i = 0; i < p.runs.size(); ++i) {
            const RunGiven& r = p.runs[i];
            out += i ? ", " : "";
            out += "{\"text\": " + quoted(r.text);
            out += std::string(", \"bold\": ") + (r.bold ? "true" : "false");
            out += std::string(", \"italic\": ") + (r.italic ? "true" : "false");
            out += std::string(", \"underline\": ") + (r.underline ? "true" : "false");
            out += std::string(", \"strike\": ") + (r.strike ? "true" : "false");
            out += ", \"font\": " + quoted(r.font) + ", \"rgb\": " + std::to_string(r.rgb);
            out += ", \"points\": " + std::to_string(r.points);
            if (r.formats13()) {
                const char* position = r.position == vSuperscript ? "super"
                                       : r.position == vSubscript ? "sub"
                                                                  : "normal";
                out += std::string(", \"position\": \"") + position + "\"";
                out += std::string(", \"smallcaps\": ") + (r.smallCaps ? "true" : "false");
                out += std::string(", \"caps\": ") + (r.allCaps ? "true" : "false");
                out +=
                    ", \"highlight\": " + std::to_string(r.highlight) + ", \"spacing\": " + std::to_string(r.spacing);
            }
            out += "}";
        }
        return out + "]}";
    }

    std::string name_;
    std::vector<std::string> body_;  // paragraphs and tables as JSON, in order
    std::string header_, footer_;
    std::vector<std::pair<std::string, std::string>> extra_;
};

RunGiven plain(const std::string& text) {
    RunGiven r;
    r.text = text;
    return r;
}

ParagraphGiven para(std::vector<RunGiven> runs, vlRTFAlignment align = aLeft) {
    ParagraphGiven p;
    p.runs = std::move(runs);
    p.align = align;
    return p;
}

// Text beyond ASCII: Latin, Greek, a symbol, a character beyond U+FFFF.
const std::string Mixed = "caf\xc3\xa9x \xce\xb1\xce\xb2 end";
const std::string Astral = "clef \xf0\x9d\x84\x9e and \xf0\x9f\x98\x80 smile";

// Runs with every format, text in every place host text goes, escapes.
void textDocument(const std::string& folder) {
    Corpus c("text");
    c.doc.Title = "Title " + Mixed;
    c.doc.Author = "Author \xc3\x85sa";
    c.doc.Subject = "Subject {braces} \\ back";
    c.header(para({plain("Header " + Mixed)}, aCenter));
    c.footer(para({plain("Footer " + Mixed)}, aRight));
    auto page = std::make_shared<cPage>();

    RunGiven bold = plain("bold "), italic = plain("italic "), under = plain("underlined "), strike = plain("struck ");
    bold.bold = true, italic.italic = true, under.underline = true, strike.strike = true;
    RunGiven big = plain("big "), red = plain("red "), serif = plain("serif "), font = plain("named font");
    big.points = 16, red.rgb = 0x0000C0, serif.font = "Times New Roman";
    font.font = "Caf\xc3\xa9 Sans";
    c.add(*page, para({bold, italic, under, strike, big, red, serif, font}));
    c.add(*page, para({plain(Mixed)}));
    c.add(*page, para({plain(Astral)}));
    c.add(*page, para({plain("tab\there, braces {x}, backslash \\ and \xe2\x80\xa2 bullet")}));
    // Raised, lowered, small capitals, capitals (given in capitals: pandoc
    // writes a \caps run's letters as capitals), highlighted, spaced.
    RunGiven sub = plain("2"), super = plain("2"), smallCaps = plain("Small Caps"), caps = plain("CAPITALS");
    RunGiven marked = plain("marked"), spaced = plain("spaced");
    sub.position = vSubscript, super.position = vSuperscript, smallCaps.smallCaps = true, caps.allCaps = true;
    marked.highlight = 0x00FFFF, spaced.spacing = 60;
    c.add(*page, para({plain("H"), sub, plain("O and E=mc"), super, plain(" "), smallCaps, plain(" "), caps, plain(" "),
                       marked, plain(" "), spaced}));
    c.add(*page, para({plain("\xc3\xa9"), plain("x"), plain("\xce\xb1\xce\xb2"), plain("y")}));
    // Indents, spacing, alignment and a border, and plain paragraphs after
    // them that must not inherit any of it.
    for (int i = 1; i <= 12; ++i) {
        ParagraphGiven p = para({plain("Paragraph " + std::to_string(i))});
        if (i % 5 == 0) p.left = 720, p.right = 360, p.first = -360, p.before = 120, p.after = 240;
        if (i == 3) p.align = aCenter;
        if (i == 6) p.align = aRight;
        if (i == 8) p.align = aJustified;
        if (i == 11) p.boxed = true;
        // Headings kept with what follows, lines kept together, spacing as a
        // multiple, widow control off.
        if (i == 2) p.outline = 1, p.keepNext = true;
        if (i == 4) p.keepTogether = true, p.lineMultiple = 1.5f;
        if (i == 7) p.widows = false, p.lineMultiple = 2;
        if (i == 9) p.outline = 3;
        c.add(*page, p);
    }
    c.doc.InsertPage(page);
    auto second = std::make_shared<cPage>();
    ParagraphGiven secondFirst = para({plain("Second page " + Mixed)});
    secondFirst.breakBefore = true;  // at a page's top already: no page more
    c.add(*second, secondFirst);
    c.doc.InsertPage(second);
    c.note("font", "Caf\xc3\xa9 Sans");
    c.write(folder);
}

// A table of three rows, cells with several paragraphs and text beyond
// ASCII, and paragraphs after it that are outside the table.
void tableDocument(const std::string& folder) {
    Corpus c("table");
    std::int32_t shade = c.doc.ColorIndex(0xE0E0E0);
    auto page = std::make_shared<cPage>();
    c.add(*page, para({plain("Before the table")}));
    RunGiven head = plain("Name");
    head.bold = true;
    ParagraphGiven indented = para({plain("indented " + Mixed)});
    indented.left = 360;
    c.table(*page,
            {{{para({head})}, {para({plain("Count")}, aRight)}, {para({plain("Note")})}},
             {{para({plain("Apples")})},
              {para({plain("3")}, aRight)},
              {para({plain("first line")}), para({plain("second line")})}},
             {{para({plain("P\xc3\xa9"
                           "ars")})},
              {para({plain("5")}, aRight)},
              {indented, para({plain(Astral)})}}},
            shade);
    c.add(*page, para({plain("After the table")}));
    // Rows of one line each: a cell's last paragraph must not leave an
    // empty one behind it. Written a row at a time, they are one table.
    std::vector<std::vector<std::vector<ParagraphGiven>>> rows;
    for (int r = 1; r <= 4; ++r)
        rows.push_back(
            {{para({plain("R" + std::to_string(r) + "C1")})}, {para({plain("R" + std::to_string(r) + "C2")})}});
    c.table(*page, rows, shade, true);
    c.add(*page, para({plain("Last paragraph")}));
    c.doc.InsertPage(page);
    c.write(folder);
}

// A picture and a drawing with a text box inside paragraphs, with text
// around them.
void objectsDocument(const std::string& folder) {
    Corpus c("objects");
    // A 4 x 2 BMP, 24 bits a pixel, bottom-up.
    std::string bmp = "BM";
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(54 + 24, 4), put(0, 4), put(54, 4), put(40, 4), put(4, 4), put(2, 4), put(1, 2), put(24, 2);
    put(0, 4), put(24, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    for (int i = 0; i < 8; ++i) put(i % 2 ? 0x0000FF : 0xFF0000, 3);
    std::string file = folder + "/objects-picture.bmp";
    std::ofstream(file, std::ios::binary) << bmp;

    auto page = std::make_shared<cPage>();
    auto pictured = c.paragraph(para({plain("Picture: ")}));
    auto picture = std::make_shared<cPicture>();
    picture->File = file;
    picture->ScaleFactor = 8;
    if (pictured->InsertPicture(picture) != True) throw std::runtime_error("picture refused");
    pictured->InsertText(c.run(plain(" after " + Mixed)));
    ParagraphGiven pictureGiven = para({plain("Picture: ")});
    pictureGiven.object = "picture";
    pictureGiven.tail = " after " + Mixed;
    c.addBuilt(*page, pictured, pictureGiven);

    auto drawn = c.paragraph(para({plain("Drawing: ")}));
    auto drawing = std::make_shared<cDrawing>();
    auto rect = std::make_shared<cRect>();
    rect->Width = 1440, rect->Height = 720;
    drawing->InsertRect(rect);
    auto box = std::make_shared<cDrawingText>();
    box->x = 1800, box->Width = 2880, box->Height = 720;
    box->Text(c.run(plain("Box " + Mixed)));
    drawing->InsertText(box);
    drawn->InsertDrawing(drawing);
    drawn->InsertText(c.run(plain(" after the drawing")));
    ParagraphGiven drawnGiven = para({plain("Drawing: ")});
    drawnGiven.object = "drawing";
    drawnGiven.tail = " after the drawing";
    c.addBuilt(*page, drawn, drawnGiven);
    c.add(*page, para({plain("Last paragraph")}));
    c.doc.InsertPage(page);
    c.note("text_box", "Box " + Mixed);
    c.write(folder);
}

// A drawing and what it holds, recorded shape by shape: each shape's box in
// twips from the column and the paragraph, a line by its end points.
class DrawingGiven {
public:
    std::shared_ptr<cDrawing> drawing = std::make_shared<cDrawing>();
    std::string json;

    void line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
        auto l = std::make_shared<cLine>();
        l->x1 = x1, l->y1 = y1, l->x2 = x2, l->y2 = y2, l->PenRGBColor = 0x0000FF;
        drawing->InsertLine(l);
        record("line", "\"x1\": " + n(x1) + ", \"y1\": " + n(y1) + ", \"x2\": " + n(x2) + ", \"y2\": " + n(y2));
    }
    template <class Shape>
    std::shared_ptr<Shape> box(const char* kind, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
        auto shape = std::make_shared<Shape>();
        shape->x = x, shape->y = y, shape->Width = w, shape->Height = h;
        shape->FillForeRGBColor = 0x99CCFF, shape->FillPattern = 1;
        record(kind, boxJson(x, y, w, h));
        return shape;
    }
    void rect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
        drawing->InsertRect(box<cRect>("rect", x, y, w, h));
    }
    void ellipse(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
        drawing->InsertEllipse(box<cEllipse>("ellipse", x, y, w, h));
    }
    void textBox(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const std::shared_ptr<cText>& run,
                 const std::string& text) {
        auto b = box<cDrawingText>("text box", x, y, w, h);
        json.pop_back();
        json += ", \"text\": " + quoted(text) + "}";
        b->FillPattern = 0;
        b->Text(run);
        drawing->InsertText(b);
    }
    template <class Shape>
    void points(const char* kind, std::vector<std::pair<std::int32_t, std::int32_t>> at) {
        auto shape = std::make_shared<Shape>();
        std::int32_t minX = at[0].first, minY = at[0].second, maxX = minX, maxY = minY;
        for (auto [x, y] : at) {
            auto p = std::make_shared<cPoint>();
            p->x = x, p->y = y;
            shape->InsertPoint(p);
            minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
        }
        record(kind, boxJson(minX, minY, maxX - minX, maxY - minY));
        insert(shape);
    }

private:
    void insert(const std::shared_ptr<cPolyline>& p) { drawing->InsertPolyline(p); }
    void insert(const std::shared_ptr<cPolygon>& p) {
        p->FillForeRGBColor = 0x3399FF, p->FillPattern = 1;
        drawing->InsertPolygon(p);
    }
    static std::string n(std::int32_t v) { return std::to_string(v); }
    static std::string boxJson(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
        return "\"x\": " + n(x) + ", \"y\": " + n(y) + ", \"width\": " + n(w) + ", \"height\": " + n(h);
    }
    void record(const char* kind, const std::string& fields) {
        json += (json.empty() ? "" : ", ") + std::string("{\"kind\": \"") + kind + "\", " + fields + "}";
    }
};

// Drawings in paragraphs of their own: every kind of shape with the text
// box in the middle, and text boxes followed by other shapes.
void drawingsDocument(const std::string& folder) {
    Corpus c("drawings");
    auto page = std::make_shared<cPage>();
    auto add = [&](const std::string& label, DrawingGiven& d) {
        ParagraphGiven given = para({plain(label)});
        given.object = "drawing";
        given.after = 1000;
        given.shapes = d.json;
        auto p = c.paragraph(given);
        p->InsertDrawing(d.drawing);
        c.addBuilt(*page, p, given);
    };
    DrawingGiven every;
    every.line(0, 300, 1440, 1000);
    every.rect(1700, 300, 1200, 600);
    every.ellipse(3100, 300, 720, 720);
    every.textBox(4000, 300, 2000, 700, c.run(plain("Middle box")), "Middle box");
    every.points<cPolyline>("polyline", {{6200, 1000}, {6600, 300}, {7000, 1000}, {7400, 300}});
    every.points<cPolygon>("polygon", {{7800, 1000}, {8200, 300}, {8600, 1000}});
    add("Every shape:", every);
    DrawingGiven boxFirst;
    boxFirst.textBox(0, 300, 2000, 600, c.run(plain("First box")), "First box");
    boxFirst.rect(2400, 300, 1000, 600);
    add("Box, rectangle:", boxFirst);
    DrawingGiven mixed;
    mixed.ellipse(0, 300, 1000, 600);
    mixed.textBox(1400, 300, 2000, 600, c.run(plain("Second box")), "Second box");
    mixed.points<cPolygon>("polygon", {{3800, 900}, {4300, 300}, {4800, 900}});
    mixed.line(5200, 900, 6200, 300);
    add("Ellipse, box, polygon, rising line:", mixed);
    c.add(*page, para({plain("After the drawings")}));
    c.doc.InsertPage(page);
    c.write(folder);
}

// Text with its NUL and other control characters, as the host gave it.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// Text that readers must not take raw: control characters in a run and in
// the information strings.
void hostileDocument(const std::string& folder) {
    Corpus c("hostile");
    c.doc.Title = bytes(
        "Title\twith\x01"
        "controls");
    c.doc.Author = "Author\r\nbroken";
    c.doc.Subject = "Subject";
    auto page = std::make_shared<cPage>();
    c.add(*page, para({plain("Before")}));
    c.add(*page, para({plain(bytes("ctl a\x01"
                                   "b\x0b"
                                   "c\x0c"
                                   "d\x1f"
                                   "e\x7f"
                                   "f\x00"
                                   "g end"))}));
    c.add(*page, para({plain("After")}));
    c.doc.InsertPage(page);
    c.write(folder);
}

// A ";" in a font name, which would end the font's entry.
void fontNameDocument(const std::string& folder) {
    Corpus c("fontname");
    auto page = std::make_shared<cPage>();
    c.add(*page, para({plain("Before")}));
    RunGiven semi = plain("semicolon font");
    semi.font = "Semi;colon Font";
    c.add(*page, para({semi}));
    c.add(*page, para({plain("After")}));
    c.doc.InsertPage(page);
    c.write(folder);
}

// Landscape A4 with page numbering from 5.
void layoutDocument(const std::string& folder) {
    Corpus c("layout");
    c.doc.PageLandscape = True;
    c.doc.PageNumbersOn = True;
    c.doc.PageNumberStart = 5;
    for (int i = 1; i <= 2; ++i) {
        auto page = std::make_shared<cPage>();
        c.add(*page, para({plain("Landscape page " + std::to_string(i))}));
        c.doc.InsertPage(page);
    }
    c.write(folder);
}

// Page numbers beside a header of the host's, from 3, on three pages.
void numberedDocument(const std::string& folder) {
    Corpus c("numbered");
    c.doc.PageNumbersOn = True;
    c.doc.PageNumberStart = 3;
    c.header(para({plain("Letterhead of the host")}));
    for (int i = 1; i <= 3; ++i) {
        auto page = std::make_shared<cPage>();
        c.add(*page, para({plain("Numbered page " + std::to_string(i))}));
        c.doc.InsertPage(page);
    }
    c.write(folder);
}

// A page of 10,000 paragraphs of two runs, and a table of 2,000 rows, for
// timing how long a reader takes to open them.
void largeDocuments(const std::string& folder) {
    cDocument paragraphs;
    auto page = std::make_shared<cPage>();
    for (int i = 0; i < 10000; ++i) {
        auto p = std::make_shared<cParagraph>();
        if (i % 5 == 0) p->IndentLeft = 720;
        auto a = std::make_shared<cText>(), b = std::make_shared<cText>();
        a->Bold = True;
        a->Text("Paragraph " + std::to_string(i) + ": ");
        b->Text("some text to read.");
        p->InsertText(a);
        p->InsertText(b);
        page->InsertParagraph(p);
    }
    paragraphs.InsertPage(page);
    paragraphs.Save(folder + "/paragraphs-10000.rtf");

    cDocument table;
    auto tablePage = std::make_shared<cPage>();
    CellArray cells({{1, 3}, {1, 2000}});
    for (int r = 1; r <= 2000; ++r) {
        for (int c = 1; c <= 3; ++c) {
            auto t = std::make_shared<cText>();
            t->Text("r" + std::to_string(r) + "c" + std::to_string(c));
            auto p = std::make_shared<cParagraph>();
            p->InsertText(t);
            auto cell = std::make_shared<cCell>();
            cell->Width = 2000;
            cell->InsertParagraph(p);
            cells.at({c, r}) = cell;
        }
    }
    tablePage->InsertTable(cells);
    table.InsertPage(tablePage);
    table.Save(folder + "/table-2000.rtf");
}

// A tiny PNG (8 x 6) and JPEG (10 x 5) to keep as they are.
const unsigned char TinyPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x06, 0x01, 0x03, 0x00, 0x00, 0x00, 0xc4, 0xcb, 0x4d, 0xb8, 0x00,
    0x00, 0x00, 0x03, 0x50, 0x4c, 0x54, 0x45, 0x20, 0x60, 0xc0, 0x61, 0xae, 0xd2, 0x2d, 0x00, 0x00, 0x00,
    0x0b, 0x49, 0x44, 0x41, 0x54, 0x08, 0x99, 0x63, 0x60, 0x40, 0x00, 0x00, 0x00, 0x0c, 0x00, 0x01, 0x64,
    0x47, 0xdd, 0x75, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82,
};
const unsigned char TinyJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
    0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x08, 0x06, 0x06, 0x07, 0x06, 0x05, 0x08, 0x07, 0x07, 0x07, 0x09, 0x09, 0x08,
    0x0a, 0x0c, 0x14, 0x0d, 0x0c, 0x0b, 0x0b, 0x0c, 0x19, 0x12, 0x13, 0x0f, 0x14, 0x1d, 0x1a, 0x1f, 0x1e, 0x1d, 0x1a,
    0x1c, 0x1c, 0x20, 0x24, 0x2e, 0x27, 0x20, 0x22, 0x2c, 0x23, 0x1c, 0x1c, 0x28, 0x37, 0x29, 0x2c, 0x30, 0x31, 0x34,
    0x34, 0x34, 0x1f, 0x27, 0x39, 0x3d, 0x38, 0x32, 0x3c, 0x2e, 0x33, 0x34, 0x32, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x09,
    0x09, 0x09, 0x0c, 0x0b, 0x0c, 0x18, 0x0d, 0x0d, 0x18, 0x32, 0x21, 0x1c, 0x21, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32,
    0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32,
    0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32,
    0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0xff, 0xc0, 0x00, 0x11, 0x08, 0x00, 0x05, 0x00, 0x0a, 0x03, 0x01, 0x22, 0x00,
    0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xff, 0xc4, 0x00, 0x1f, 0x00, 0x00, 0x01, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a,
    0x0b, 0xff, 0xc4, 0x00, 0xb5, 0x10, 0x00, 0x02, 0x01, 0x03, 0x03, 0x02, 0x04, 0x03, 0x05, 0x05, 0x04, 0x04, 0x00,
    0x00, 0x01, 0x7d, 0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07,
    0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62,
    0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37,
    0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a,
    0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83, 0x84, 0x85,
    0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6,
    0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7,
    0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7,
    0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa, 0xff, 0xc4, 0x00, 0x1f, 0x01, 0x00,
    0x03, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03,
    0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0xff, 0xc4, 0x00, 0xb5, 0x11, 0x00, 0x02, 0x01, 0x02, 0x04, 0x04,
    0x03, 0x04, 0x07, 0x05, 0x04, 0x04, 0x00, 0x01, 0x02, 0x77, 0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31,
    0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09,
    0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a,
    0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a,
    0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75,
    0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96,
    0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7,
    0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8,
    0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9,
    0xfa, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0xc2, 0xa2, 0x8a, 0x2b,
    0xe7, 0x4f, 0xbc, 0x3f, 0xff, 0xd9,
};

// What 1.2 adds, in one document of three pages, the second turned: fields
// in the footer and the body, a link, a footnote, lists, a table with a
// header row and merged cells, two pictures kept as their files. Its
// expectation is of its own kind, read by the suite's feature checks.
void featuresDocument(const std::string& folder) {
    cDocument doc;
    auto run = [](const std::string& text, vlRTFField field = fNone) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        t->Field = field;
        return t;
    };
    auto paragraph = [&](const std::string& text) {
        auto p = std::make_shared<cParagraph>();
        p->InsertText(run(text));
        return p;
    };
    auto footer = std::make_shared<cParagraph>();
    for (auto t : {run("Page "), run("1", fPageNumber), run(" of "), run("", fPageCount)}) footer->InsertText(t);
    doc.Footer = footer;

    auto first = std::make_shared<cPage>();
    const std::string target = "https://example.org/a?b=1&c=\"q\"";
    auto see = paragraph("See ");
    auto link = run("the site");
    link->Link = target;
    see->InsertText(link);
    see->InsertText(run(" now"));
    first->InsertParagraph(see);
    auto noted = paragraph("Noted");
    noted->InsertFootnote(paragraph("The note text."));
    noted->InsertText(run(" after"));
    first->InsertParagraph(noted);
    auto today = paragraph("Today is ");
    today->InsertText(run("today", fDate));
    first->InsertParagraph(today);
    struct Item {
        const char* text;
        vlRTFList style;
        std::int32_t level, id;
    };
    for (const Item& i : {Item{"Fruit", lBullet, 0, 1}, Item{"Apples", lBullet, 1, 1}, Item{"First", lNumber, 0, 1},
                          Item{"Second", lNumber, 0, 1}, Item{"Between", lNone, 0, 1}, Item{"Third", lNumber, 0, 1},
                          Item{"Again", lNumber, 0, 2}}) {
        auto p = paragraph(i.text);
        p->ListStyle = i.style, p->ListLevel = i.level, p->ListId = i.id;
        first->InsertParagraph(p);
    }
    auto cell = [&](const std::string& text) {
        auto c = std::make_shared<cCell>();
        c->Width = 2000;
        c->InsertParagraph(paragraph(text));
        return c;
    };
    CellArray cells({{1, 3}, {1, 3}});
    cells.at({1, 1}) = cell("Prices");
    cells.at({1, 1})->ColumnSpan = 3;
    cells.at({1, 1})->Width = 6000;
    cells.at({1, 2}) = cell("Apples");
    cells.at({1, 2})->RowSpan = 2;
    cells.at({2, 2}) = cell("red"), cells.at({3, 2}) = cell("0.40");
    cells.at({2, 3}) = cell("green"), cells.at({3, 3}) = cell("0.35");
    first->TableHeaderRows = 1;
    first->InsertTable(cells);
    std::ofstream(folder + "/features-picture.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(TinyPng), sizeof TinyPng);
    std::ofstream(folder + "/features-picture.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(TinyJpeg), sizeof TinyJpeg);
    auto pictures = std::make_shared<cParagraph>();
    for (const char* file : {"/features-picture.png", "/features-picture.jpg"}) {
        auto picture = std::make_shared<cPicture>();
        picture->File = folder + file;
        picture->Embedding = eOriginal;
        pictures->InsertPicture(picture);
    }
    first->InsertParagraph(pictures);
    doc.InsertPage(first);
    auto wide = std::make_shared<cPage>();
    wide->Orientation = oLandscape;
    wide->InsertParagraph(paragraph("Wide page"));
    doc.InsertPage(wide);
    auto upright = std::make_shared<cPage>();
    upright->InsertParagraph(paragraph("Upright again"));
    doc.InsertPage(upright);
    doc.Save(folder + "/features.rtf");

    std::ofstream json(folder + "/features.json", std::ios::binary);
    json << "{\"document\": \"features.rtf\", \"kind\": \"features\",\n"
         << " \"link\": {\"text\": \"the site\", \"target\": " << quoted("https://example.org/a?b=1&c=%22q%22")
         << "},\n \"note\": \"The note text.\", \"noted\": \"Noted after\", \"date_shown\": \"today\",\n"
         << " \"lists\": [[\"\u2022\", \"Fruit\"], [\"\u25e6\", \"Apples\"], [\"1.\", \"First\"], [\"2.\", \"Second\"],"
         << " [\"\", \"Between\"], [\"3.\", \"Third\"], [\"1.\", \"Again\"]],\n"
         << " \"spans\": [[\"Prices\", 3, 1], [\"Apples\", 1, 2]],\n"
         << " \"pictures\": [[\"features-picture.png\", 8, 6], [\"features-picture.jpg\", 10, 5]],\n"
         << " \"pages\": [[\"portrait\", \"Page 1 of 3\"], [\"landscape\", \"Page 2 of 3\"], [\"portrait\", \"Page 3 "
            "of 3\"]]}\n";
}
// An enhanced metafile of 2 x 1 inches holding one rectangle.
std::string emfFigure() {
    std::string f;
    auto p32 = [&](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) f += static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    for (std::uint32_t v :
         {1u, 88u,    0u,    0u,   1016u, 508u, 0u,  0u,   5080u, 2540u, 0x464D4520u, 0x10000u, 132u, 3u, 0u,  0u, 0u,
          0u, 10160u, 5080u, 508u, 254u,  43u,  24u, 254u, 127u,  762u,  381u,        14u,      20u,  0u, 16u, 20u})
        p32(v);
    return f;
}

// The report's members of 1.3 where readers show them: tab stops with their
// leaders, headings by style and outline, a table of contents of them, a
// bookmark and the link to it, and raw RTF.
void reportDocument(const std::string& folder) {
    cDocument doc;
    auto run = [](const std::string& text) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        return t;
    };
    auto header = std::make_shared<cParagraph>();
    header->AddTabStop(9026, tRight);
    header->InsertText(run("Left\tRight"));
    doc.Header = header;
    // The first page without a header; the even pages with a table of their own.
    doc.FirstPageHeader = std::make_shared<cPage>();
    auto even = std::make_shared<cPage>();
    CellArray evenCells({{1, 1}, {1, 1}});
    evenCells.at({1, 1}) = std::make_shared<cCell>();
    evenCells.at({1, 1})->Width = 3000;
    auto evenText = std::make_shared<cParagraph>();
    evenText->InsertText(run("Even header"));
    evenCells.at({1, 1})->InsertParagraph(evenText);
    even->InsertTable(evenCells);
    doc.EvenPageHeader = even;
    auto page = std::make_shared<cPage>();
    auto contents = run("Contents to come");
    contents->ContentsLevels = 2;
    auto holder = std::make_shared<cParagraph>();
    holder->InsertText(contents);
    page->InsertParagraph(holder);
    struct Heading {
        const char* text;
        std::int32_t level;
        bool newPage;
    };
    for (const Heading& h : {Heading{"Alpha", 1, true}, Heading{"Beta", 2, false}, Heading{"Gamma", 3, false}}) {
        auto t = run(h.text);
        if (h.level == 1) t->Bookmark = "alpha";
        auto p = std::make_shared<cParagraph>();
        p->StyleIndex = doc.StyleIndex("heading " + std::to_string(h.level));
        p->PageBreakBefore = h.newPage ? True : False;
        p->InsertText(t);
        page->InsertParagraph(p);
    }
    struct Stop {
        std::int32_t position;
        vlRTFTabAlignment alignment;
        vlRTFTabLeader leader;
    };
    auto stops = std::make_shared<cParagraph>();
    for (const Stop& stop :
         {Stop{1440, tCenter, tlHyphens}, Stop{4320, tDecimal, tlDots}, Stop{7200, tLeft, tlUnderline}})
        stops->AddTabStop(stop.position, stop.alignment, stop.leader);
    stops->InsertText(run("a\tb\t1.5\tc"));
    page->InsertParagraph(stops);
    auto linked = std::make_shared<cParagraph>();
    auto back = run("back");
    back->LinkToBookmark = "alpha";
    linked->InsertText(back);
    auto dash = run("");
    dash->RawRtf("\\emdash ");
    linked->InsertText(dash);
    linked->InsertText(run("end"));
    page->InsertParagraph(linked);
    // A table laid out cell by cell: centred, rows of an exact height kept whole,
    // the cells' text at the bottom and in the middle, with padding.
    CellArray cells({{1, 2}, {1, 1}});
    for (std::int32_t c = 1; c <= 2; ++c) {
        auto cell = std::make_shared<cCell>();
        cell->Width = 2000;
        auto p = std::make_shared<cParagraph>();
        p->InsertText(run(c == 1 ? "Low" : "Middle"));
        cell->InsertParagraph(p);
        cells.at({c, 1}) = cell;
    }
    cells.at({1, 1})->VerticalAlignment = vaBottom;
    cells.at({1, 1})->PaddingLeft = 144, cells.at({1, 1})->PaddingTop = 72;
    cells.at({2, 1})->VerticalAlignment = vaCenter;
    cells.at({2, 1})->WidthPercent = 37.5f;  // of 8000 twips: 3000
    page->TableWidth = 8000;
    page->TableAlign = aCenter, page->TableRowHeight = 720, page->TableRowHeightExact = True;
    page->TableKeepRowsTogether = True;
    page->InsertTable(cells);
    // A vector figure kept as its EMF.
    std::ofstream(folder + "/report-figure.emf", std::ios::binary) << emfFigure();
    auto figure = std::make_shared<cPicture>();
    figure->File = folder + "/report-figure.emf";
    auto figureParagraph = std::make_shared<cParagraph>();
    figureParagraph->InsertPicture(figure);
    page->InsertParagraph(figureParagraph);
    doc.InsertPage(page);
    doc.Save(folder + "/report.rtf");
    std::ofstream(folder + "/report.json", std::ios::binary)
        << "{\"document\": \"report.rtf\", \"kind\": \"report\",\n"
        << " \"header_stop\": [9026, \"right\", \"\"],\n"
        << " \"stops\": [[1440, \"center\", \"-\"], [4320, \"char\", \".\"], [7200, \"\", \"_\"]],\n"
        << " \"headings\": [[\"Alpha\", 1], [\"Beta\", 2], [\"Gamma\", 3]], \"contents_levels\": 2,\n"
        << " \"contents\": [[\"Alpha\", \"2\"], [\"Beta\", \"2\"]], \"bookmark\": \"alpha\", \"link\": [\"#alpha\", "
           "\"back\"],\n"
        // The contents as written: an entry a heading, linked to its bookmark
        // (the host's, or the writer's own for a heading that has none).
        << " \"entries\": [[\"#alpha\", \"Alpha\"], [\"#_Toc1\", \"Beta\"]], \"bookmarks\": [\"alpha\", \"_Toc1\"],\n"
        << " \"last_line\": \"back\u2014end\", \"figure\": \"report-figure.emf\",\n"
        << " \"headers\": [[false, false], [false, true]],\n"
        << " \"table\": {\"align\": \"center\", \"row_height\": 720, \"columns\": [2000, 3000], \"keep_together\": "
           "\"always\",\n"
        << "  \"cells\": [[\"Low\", \"bottom\", 144, 72], [\"Middle\", \"middle\", null, null]]}}\n";
}
}  // namespace

// Sections and parts: a section with its own header, paper and numbers, a
// second document assembled with its own sheet, header, font and colour,
// then the document's own again. Each page says what it expects to stand on.
void assembledDocument(const std::string& folder) {
    auto page = [](cDocument& d, const std::string& text, const std::string& font, std::int32_t rgb) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        t->FontIndex = d.FontIndex(font);
        t->ForeColorIndex = d.ColorIndex(rgb);
        auto p = std::make_shared<cParagraph>();
        p->InsertText(t);
        auto pg = std::make_shared<cPage>();
        pg->InsertParagraph(p);
        return pg;
    };
    auto headerOf = [&](cDocument& d, const std::string& text) {
        auto h = page(d, text, "", 0);
        return h;
    };
    cDocument doc;
    auto whole = std::make_shared<cParagraph>();
    auto wt = std::make_shared<cText>();
    wt->Text("Whole header");
    whole->InsertText(wt);
    doc.Header = whole;
    doc.InsertPage(page(doc, "First of the whole", "Courier New", 0x0000FF));
    auto own = page(doc, "Section of its own", "Courier New", 0x0000FF);
    own->PageHeader = headerOf(doc, "Section header");
    own->PageWidth = 12240, own->PageHeight = 15840;
    doc.InsertPage(own);
    auto part = std::make_shared<cDocument>();
    part->PageLandscape = True;
    part->PageHeader = headerOf(*part, "Part header");
    part->InsertPage(page(*part, "First of the part", "Times New Roman", 0x008000));
    part->InsertPage(page(*part, "Second of the part", "Times New Roman", 0x008000));
    doc.InsertDocument(part, True);
    doc.InsertPage(page(doc, "Back in the whole", "Courier New", 0x0000FF));
    doc.Save(folder + "/assembled.rtf");
    std::ofstream json(folder + "/assembled.json", std::ios::binary);
    // Each page: its size in points, its header's line, its text, the text's font and colour.
    json << "{\"document\": \"assembled.rtf\", \"kind\": \"assembled\", \"pages\": ["
         << "[[595, 842], \"Whole header\", \"First of the whole\", \"Courier New\", \"#ff0000\"], "
         << "[[612, 792], \"Section header\", \"Section of its own\", \"Courier New\", \"#ff0000\"], "
         << "[[842, 595], \"Part header\", \"First of the part\", \"Times New Roman\", \"#008000\"], "
         << "[[842, 595], \"Part header\", \"Second of the part\", \"Times New Roman\", \"#008000\"], "
         << "[[595, 842], \"Whole header\", \"Back in the whole\", \"Courier New\", \"#ff0000\"]]}\n";
}

// Raw RTF that the run accepts, each probe followed by a run of its own:
// whatever a probe holds, the text after it stays in every reader.
void rawRtfDocument(const std::string& folder) {
    cDocument doc;
    const char* probes[] = {"\\emdash ",
                            "{\\b bold}",
                            "\\line ",
                            "{\\*\\unknowndestination hidden}",
                            "{\\field{\\*\\fldinst PAGE }{\\fldrslt 1}}",
                            "\\u8212?\\'41",
                            "\\abcdefghijklmnopqrstuvwxyzabcdef ",
                            "{\\*\\bkmkstart raw}{\\*\\bkmkend raw}",
                            "\\par "};
    auto page = std::make_shared<cPage>();
    std::string after = "[";
    int n = 0;
    for (const char* probe : probes) {
        auto p = std::make_shared<cParagraph>();
        auto raw = std::make_shared<cText>();
        raw->RawRtf(probe);
        p->InsertText(raw);
        auto t = std::make_shared<cText>();
        const std::string text = "after probe " + std::to_string(++n);
        t->Text(text);
        p->InsertText(t);
        page->InsertParagraph(p);
        after += (n > 1 ? ", \"" : "\"") + text + "\"";
    }
    doc.InsertPage(page);
    doc.Save(folder + "/rawrtf.rtf");
    std::ofstream(folder + "/rawrtf.json", std::ios::binary)
        << "{\"document\": \"rawrtf.rtf\", \"kind\": \"rawrtf\", \"after\": " << after << "]}\n";
}

// A paragraph of one run of plain text.
std::shared_ptr<cParagraph> textParagraph(const std::string& text) {
    auto t = std::make_shared<cText>();
    t->Text(text);
    auto p = std::make_shared<cParagraph>();
    p->InsertText(t);
    return p;
}

// A first page with a header of its own, in a document with a header and
// page numbers; and a document whose first pages are an assembled one's with
// its own header. Each page's header is what it says.
void firstSectionDocuments(const std::string& folder) {
    const auto paragraph = textParagraph;
    auto pageOf = [&](const std::string& text) {
        auto page = std::make_shared<cPage>();
        page->InsertParagraph(paragraph(text));
        return page;
    };
    cDocument doc;
    doc.Header = paragraph("Document header");
    doc.PageNumbersOn = True;
    auto first = pageOf("Page with the section header");
    first->PageHeader = pageOf("Section header");
    doc.InsertPage(first);
    doc.InsertPage(pageOf("Page with the document header"));
    doc.Save(folder + "/firstsection.rtf");
    cDocument whole;
    whole.Header = paragraph("Whole header");
    auto part = std::make_shared<cDocument>();
    part->Header = paragraph("Part header");
    part->InsertPage(pageOf("Page with the part header"));
    whole.InsertDocument(part);
    whole.InsertPage(pageOf("Page with the whole header"));
    whole.Save(folder + "/firstpart.rtf");
    std::ofstream(folder + "/firstsection.json", std::ios::binary)
        << "{\"document\": \"firstsection.rtf\", \"kind\": \"headers\", \"headers\": [\"Section header\", "
           "\"Document header\"], \"others\": [\"Document header\", \"Section header\"]}\n";
    std::ofstream(folder + "/firstpart.json", std::ios::binary)
        << "{\"document\": \"firstpart.rtf\", \"kind\": \"headers\", \"headers\": [\"Part header\", \"Whole header\"], "
           "\"others\": [\"Whole header\", \"Part header\"]}\n";
}

// Three parts, each of two pages with a footer of its page's number, each
// numbered from 1 again; the whole has a page of its own before them.
void bundleDocument(const std::string& folder) {
    auto paragraph = [](const std::string& text, vlRTFField field = fNone) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        t->Field = field;
        auto p = std::make_shared<cParagraph>();
        p->InsertText(t);
        return p;
    };
    cDocument whole;
    auto cover = std::make_shared<cPage>();
    cover->InsertParagraph(paragraph("Cover"));
    whole.InsertPage(cover);
    std::string expected = "[";
    for (int n = 1; n <= 3; ++n) {
        auto part = std::make_shared<cDocument>();
        auto footer = std::make_shared<cParagraph>();
        auto text = std::make_shared<cText>();
        text->Text("Part " + std::to_string(n) + " page ");
        footer->InsertText(text);
        auto number = std::make_shared<cText>();
        number->Text("1");
        number->Field = fPageNumber;
        footer->InsertText(number);
        part->Footer = footer;
        for (int page = 1; page <= 2; ++page) {
            auto p = std::make_shared<cPage>();
            p->InsertParagraph(paragraph("Part " + std::to_string(n) + ", page " + std::to_string(page)));
            part->InsertPage(p);
        }
        whole.InsertDocument(part, True);
        expected += std::string(n > 1 ? ", " : "") + "\"Part " + std::to_string(n) + " page 1\"";
    }
    whole.Save(folder + "/bundle.rtf");
    std::ofstream(folder + "/bundle.json", std::ios::binary)
        << "{\"document\": \"bundle.rtf\", \"kind\": \"bundle\", \"starts\": " << expected << "]}\n";
}

// A table from rows of values: a decimal column of one digit after the
// point, two spanning headers side by side over report rules, and
// paragraphs bordered in each style LibreOffice draws.
void valuesDocument(const std::string& folder) {
    cDocument doc;
    auto page = std::make_shared<cPage>();
    page->TableHeaderRows = 2, page->TableRules = True;
    page->AddTableColumn(2000);
    page->AddTableColumn(0, tDecimal, 1);
    for (int c = 0; c < 3; ++c) page->AddTableColumn(0);
    page->InsertRows({{"", "Spanner one", {}, "Spanner two", {}},
                      {"Name", "Value", "Left", "Right", "More"},
                      {"a", 12.5, "x", "y", "z"},
                      {"b", "1,234.5", "x", "y", "z"},
                      {"c", 98.5, "x", "y", "z"}});
    std::string styles = "[";
    for (const auto& [style, name] : {std::pair{bsDouble, "double"}, {bsDot, "dotted"}, {bsDash, "dashed"}}) {
        auto p = std::make_shared<cParagraph>();
        p->Border->BottomVisible = True, p->Border->BottomStyle = style;
        auto t = std::make_shared<cText>();
        t->Text(std::string("border ") + name);
        p->InsertText(t);
        page->InsertParagraph(p);
        styles += std::string(styles.size() > 1 ? ", " : "") + "[\"border " + name + "\", \"" + name + "\"]";
    }
    doc.InsertPage(page);
    doc.Save(folder + "/values.rtf");
    std::ofstream(folder + "/values.json", std::ios::binary)
        << "{\"document\": \"values.rtf\", \"kind\": \"values\", \"decimal\": [\"12.5\", \"1,234.5\", \"98.5\"], "
        << "\"spanners\": [\"Spanner one\", \"Spanner two\"], \"borders\": " << styles << "]}\n";
}

// A listing that paginates itself: its header rows on every page, "(continued)"
// at the foot of each page but the last, a fixed number of rows a page.
void paginatedDocument(const std::string& folder) {
    cDocument doc;
    auto page = std::make_shared<cPage>();
    page->TableHeaderRows = 2, page->TableRules = True, page->TablePaginate = True, page->TableRowsPerPage = 10;
    page->TableContinuedText = "(continued)";
    page->TableFontIndex = doc.FontIndex("Courier New"), page->TableFontHeight = 9;
    page->AddTableColumn(2000);
    page->AddTableColumn(2000, tDecimal, 1);
    page->AddTableColumn(2000, tDecimal, 1);
    TableRows rows = {{"", "Treatment", {}}, {"Subject", "Placebo", "Active"}};
    std::string pages = "[";
    for (int r = 1; r <= 26; ++r) {
        char id[8];
        std::snprintf(id, sizeof id, "S%02d", r);
        rows.push_back({std::string(id), r * 1.5, r * 2.25});
        if (r % 8 == 1) pages += std::string(r > 1 ? "], [" : "[") + "\"" + id + "\"";
        if (r % 8 == 0 || r == 26) pages += std::string(", \"") + id + "\"";
    }
    page->InsertRows(rows);
    doc.InsertPage(page);
    doc.Save(folder + "/paginated.rtf");
    std::ofstream(folder + "/paginated.json", std::ios::binary)
        << "{\"document\": \"paginated.rtf\", \"kind\": \"paginated\", \"header\": [\"Treatment\", "
        << "\"Subject Placebo Active\"], \"continued\": \"(continued)\", \"pages\": " << pages << "]]}\n";
}

// A section in two columns with its lines numbered and a border round its
// pages, then a page that asks for none of it.
void sectionLayoutDocument(const std::string& folder) {
    cDocument doc;
    auto laid = std::make_shared<cPage>();
    laid->PageColumns = 2, laid->PageLineNumbers = 5;
    laid->PageBorder = std::make_shared<cBorder>();
    auto& border = *laid->PageBorder;
    border.TopVisible = border.BottomVisible = border.LeftVisible = border.RightVisible = True;
    border.TopStyle = bsDouble;
    laid->InsertParagraph(textParagraph("In two columns."));
    doc.InsertPage(laid);
    auto plain = std::make_shared<cPage>();
    plain->InsertParagraph(textParagraph("In one column."));
    doc.InsertPage(plain);
    doc.Save(folder + "/sectionlayout.rtf");
    std::ofstream(folder + "/sectionlayout.json", std::ios::binary)
        << "{\"document\": \"sectionlayout.rtf\", \"kind\": \"sectionlayout\", \"columns\": [\"In two columns.\", "
        << "2], \"increment\": \"5\", \"border\": [\"double\", \"solid\", \"solid\", \"solid\"]}\n";
}

// A Chinese run in its own font, an Arabic paragraph and a table right to left.
void scriptsDocument(const std::string& folder) {
    cDocument doc;
    auto page = std::make_shared<cPage>();
    const std::int32_t simsun = doc.FontIndex("SimSun", 134);
    auto chinese = std::make_shared<cText>();
    chinese->Text("Chinese \u4e2d\u6587"), chinese->EastAsianFontIndex = simsun;
    auto p = std::make_shared<cParagraph>();
    p->InsertText(chinese);
    page->InsertParagraph(p);
    auto arabic = std::make_shared<cText>();
    arabic->Text("\u0627\u0644\u0639\u0631\u0628\u064a\u0629"), arabic->RightToLeft = True;
    auto q = std::make_shared<cParagraph>();
    q->RightToLeft = True;
    q->InsertText(arabic);
    page->InsertParagraph(q);
    page->TableRightToLeft = True;
    page->InsertRows({{"first", "second"}});
    doc.InsertPage(page);
    doc.Save(folder + "/scripts.rtf");
    std::ofstream(folder + "/scripts.json", std::ios::binary)
        << "{\"document\": \"scripts.rtf\", \"kind\": \"scripts\", \"asian\": [\"Chinese \u4e2d\u6587\", \"SimSun\"], "
        << "\"rtl\": \"\u0627\u0644\u0639\u0631\u0628\u064a\u0629\", \"row\": \"second first\"}\n";
}

// A paragraph with a footnote and an endnote.
void notesDocument(const std::string& folder) {
    cDocument doc;
    auto page = std::make_shared<cPage>();
    auto p = textParagraph("Noted twice.");
    p->InsertFootnote(textParagraph("A footnote."));
    p->InsertEndnote(textParagraph("An endnote."));
    page->InsertParagraph(p);
    doc.InsertPage(page);
    doc.Save(folder + "/notes.rtf");
    std::ofstream(folder + "/notes.json", std::ios::binary)
        << "{\"document\": \"notes.rtf\", \"kind\": \"notes\", \"notes\": [[\"footnote\", \"A footnote.\"], "
        << "[\"endnote\", \"An endnote.\"]]}\n";
}

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--large") {
        largeDocuments(argv[2]);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: reader_corpus [--large] FOLDER\n");
        return 2;
    }
    try {
        textDocument(argv[1]);
        tableDocument(argv[1]);
        objectsDocument(argv[1]);
        layoutDocument(argv[1]);
        drawingsDocument(argv[1]);
        hostileDocument(argv[1]);
        fontNameDocument(argv[1]);
        numberedDocument(argv[1]);
        featuresDocument(argv[1]);
        reportDocument(argv[1]);
        assembledDocument(argv[1]);
        rawRtfDocument(argv[1]);
        firstSectionDocuments(argv[1]);
        bundleDocument(argv[1]);
        valuesDocument(argv[1]);
        paginatedDocument(argv[1]);
        sectionLayoutDocument(argv[1]);
        scriptsDocument(argv[1]);
        notesDocument(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "reader_corpus: %s\n", e.what());
        return 1;
    }
    return 0;
}
