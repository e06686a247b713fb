// What 1.2 adds: "Page X of Y" and the date as fields, a link, a footnote,
// bulleted and numbered lists, a table with a header row and merged cells, a
// photograph kept as its PNG file, and a landscape page in a portrait
// document.
#include <velloran/velloran.hpp>

using namespace velloran;

// A run of text, or a field showing the text until the reader computes it.
std::shared_ptr<cText> run(const char* words, vlRTFField field = fNone) {
    auto r = std::make_shared<cText>();
    r->Text(words);
    r->Field = field;
    return r;
}

std::shared_ptr<cParagraph> paragraph(const char* words) {
    auto p = std::make_shared<cParagraph>();
    p->InsertText(run(words));
    return p;
}

// A list item of the given kind and level.
std::shared_ptr<cParagraph> item(const char* words, vlRTFList style, std::int32_t level) {
    auto p = paragraph(words);
    p->ListStyle = style;
    p->ListLevel = level;
    return p;
}

std::shared_ptr<cCell> cell(const char* words, std::int32_t width) {
    auto c = std::make_shared<cCell>();
    c->Width = width;
    c->InsertParagraph(paragraph(words));
    return c;
}

int main() {
    auto doc = std::make_shared<cDocument>();
    auto footer = std::make_shared<cParagraph>();
    footer->Align = aCenter;
    footer->InsertText(run("Page "));
    footer->InsertText(run("1", fPageNumber));
    footer->InsertText(run(" of "));
    footer->InsertText(run("2", fPageCount));
    doc->Footer = footer;

    auto page = std::make_shared<cPage>();
    auto intro = paragraph("Made with ");
    auto link = run("Velloran");
    link->Link = "https://example.org/velloran";
    link->Underline(True);
    intro->InsertText(link);
    intro->InsertFootnote(paragraph("Any RTF reader shows this note at the foot of the page."));
    intro->InsertText(run(" on "));
    intro->InsertText(run("today", fDate));
    intro->InsertText(run("."));
    page->InsertParagraph(intro);

    page->InsertParagraph(item("Fruit", lBullet, 0));
    page->InsertParagraph(item("Apples", lBullet, 1));
    page->InsertParagraph(item("Pears", lBullet, 1));
    page->InsertParagraph(item("Unpack the box", lNumber, 0));
    page->InsertParagraph(item("Count what is in it", lNumber, 0));

    // Three columns; the heading spans them all and repeats on every page,
    // and "Apples" stands beside two rows.
    CellArray cells({{1, 3}, {1, 3}});
    cells.at({1, 1}) = cell("Prices", 6000);
    cells.at({1, 1})->ColumnSpan = 3;
    cells.at({1, 2}) = cell("Apples", 2000);
    cells.at({1, 2})->RowSpan = 2;
    cells.at({2, 2}) = cell("red", 2000);
    cells.at({3, 2}) = cell("0.40", 2000);
    cells.at({2, 3}) = cell("green", 2000);
    cells.at({3, 3}) = cell("0.35", 2000);
    page->TableHeaderRows = 1;
    page->InsertTable(cells);

    auto picture = std::make_shared<cPicture>();
    picture->File = "wheel.png";
    picture->Embedding = eOriginal;            // the PNG itself, not a metafile
    auto holder = std::make_shared<cParagraph>();
    holder->SpaceBefore = 120;
    holder->InsertPicture(picture);
    page->InsertParagraph(holder);
    doc->InsertPage(page);

    auto wide = std::make_shared<cPage>();
    wide->Orientation = oLandscape;
    wide->InsertParagraph(paragraph("This page lies on its side."));
    doc->InsertPage(wide);
    return doc->Save("features.rtf") == True ? 0 : 1;
}
