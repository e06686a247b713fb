// A whole letter: a letterhead as the page header, page numbers, the
// address, a table of the items, a picture, and a line to sign on.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

// A run of text in one style.
std::shared_ptr<cText> text(const std::string& words, std::int32_t points = 11, bool bold = false) {
    auto run = std::make_shared<cText>();
    run->Height = points;
    run->Bold = bold;
    run->Text(words);
    return run;
}

// A paragraph of one run.
std::shared_ptr<cParagraph> paragraph(const std::shared_ptr<cText>& run, vlRTFAlignment align = aLeft,
                                      std::int32_t spaceAfter = 0) {
    auto para = std::make_shared<cParagraph>();
    para->Align = align;
    para->SpaceAfter = spaceAfter;
    para->InsertText(run);
    return para;
}

// A cell of the items table.
std::shared_ptr<cCell> cell(const std::string& words, std::int32_t width, vlRTFAlignment align, bool heading,
                            std::int32_t shade) {
    auto c = std::make_shared<cCell>();
    c->Width = width;
    if (heading) c->BackColorIndex = shade;
    c->InsertParagraph(paragraph(text(words, 10, heading), align));
    return c;
}

int main() {
    // 1. The document: its information, its font, page numbers.
    auto doc = std::make_shared<cDocument>();
    doc->Title = "Order 1042";
    doc->Author = "Harbour Lane Stationers";
    doc->FontDefaultName = "Liberation Serif";
    doc->PageNumbersOn = True;
    const std::int32_t navy = doc->ColorIndex(0x603000);   // red in the lowest byte
    const std::int32_t shade = doc->ColorIndex(0xEEEEEE);

    // 2. The letterhead, repeated at the top of every page, ruled below.
    auto name = text("Harbour Lane Stationers", 16, true);
    name->ForeColorIndex = navy;
    auto letterhead = paragraph(name);
    letterhead->InsertText(text("   12 Harbour Lane, Porthmoor", 9));
    letterhead->Border->BottomVisible = True;
    doc->Header = letterhead;

    // 3. The address, the date and the opening.
    auto page = std::make_shared<cPage>();
    for (const char* line : {"Ms Ada Example", "4 Quay Street", "Porthmoor PM1 2AB"})
        page->InsertParagraph(paragraph(text(line)));
    page->InsertParagraph(paragraph(text("8 December 2026"), aRight, 240));
    page->InsertParagraph(paragraph(text("Dear Ms Example,"), aLeft, 120));
    page->InsertParagraph(paragraph(text("Thank you for your order. We are pleased to send you the following "
                                         "items, which leave our shop today:"),
                                    aJustified, 120));

    // 4. The items: a table with a shaded heading row and a total.
    const char* items[4][3] = {{"Item", "Quantity", "Price"},
                               {"Fountain pen, navy", "1", "24.00"},
                               {"Writing paper, 100 sheets", "2", "13.00"},
                               {"Total", "", "37.00"}};
    CellArray cells({{1, 3}, {1, 4}});
    for (std::int32_t row = 1; row <= 4; ++row) {
        cells.at({1, row}) = cell(items[row - 1][0], 4200, aLeft, row == 1, shade);
        cells.at({2, row}) = cell(items[row - 1][1], 1500, aRight, row == 1, shade);
        cells.at({3, row}) = cell(items[row - 1][2], 1500, aRight, row == 1 || row == 4, shade);
    }
    page->InsertTable(cells);

    // 5. A picture of the pen's colours, then the closing.
    auto pictured = paragraph(text("Our colour card: "), aLeft, 240);
    pictured->SpaceBefore = 240;
    auto card = std::make_shared<cPicture>();
    card->File = "wheel.png";
    card->ScaleFactor = 0.5f;
    pictured->InsertPicture(card);
    page->InsertParagraph(pictured);
    page->InsertParagraph(paragraph(text("Yours sincerely,"), aLeft, 720));

    // 6. A line to sign on: a drawing of one line, and the name beneath it.
    auto rule = std::make_shared<cLine>();
    rule->x2 = 3000;
    auto signature = std::make_shared<cDrawing>();
    signature->InsertLine(rule);
    auto signLine = std::make_shared<cParagraph>();
    signLine->InsertDrawing(signature);
    signLine->InsertText(text("Tom Penrose, for Harbour Lane Stationers", 10));
    page->InsertParagraph(signLine);

    doc->InsertPage(page);
    return doc->Save("letter.rtf") == True ? 0 : 1;
}
