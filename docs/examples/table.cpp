// A table of three columns and three rows: a shaded heading row, widths in
// twips, and a last row open at the bottom.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    const std::int32_t grey = doc->ColorIndex(0xDDDDDD);
    const char* text[3][3] = {{"Fruit", "Colour", "Price"},
                              {"Apple", "red or green", "0.40"},
                              {"Lemon", "yellow", "0.25"}};
    const std::int32_t widths[3] = {2000, 3500, 1500};

    CellArray cells({{1, 3}, {1, 3}});         // columns 1 to 3, rows 1 to 3
    for (std::int32_t row = 1; row <= 3; ++row) {
        for (std::int32_t column = 1; column <= 3; ++column) {
            auto run = std::make_shared<cText>();
            run->Bold = row == 1 ? True : False;
            run->Text(text[row - 1][column - 1]);
            auto para = std::make_shared<cParagraph>();
            para->Align = column == 3 ? aRight : aLeft;
            para->InsertText(run);
            auto cell = std::make_shared<cCell>();
            cell->Width = widths[column - 1];
            if (row == 1) cell->BackColorIndex = grey;
            if (row == 3) cell->Border->BottomVisible = False;
            cell->InsertParagraph(para);
            cells.at({column, row}) = cell;    // the column first, then the row
        }
    }
    auto page = std::make_shared<cPage>();
    page->InsertTable(cells);
    doc->InsertPage(page);
    return doc->Save("table.rtf") == True ? 0 : 1;
}
