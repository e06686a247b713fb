// A demographics table as a clinical study report's Table 14.1.1 shows it:
// titles and the population in the page header with "Page X of Y" at the
// top right, "Treatment" over the two arms beside the total, the numbers on
// their decimal points between the rules of a report table, footnotes
// under it and the program's name in the footer; Courier New at 9 points on
// landscape letter paper.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto run = [](const std::string& text, vlRTFField field = fNone) {
        auto t = std::make_shared<cText>();
        t->Text(text);
        t->Field = field;
        return t;
    };
    auto paragraph = [&](const std::string& text, vlRTFAlignment align = aLeft) {
        auto p = std::make_shared<cParagraph>();
        p->Align = align;
        p->InsertText(run(text));
        return p;
    };

    auto doc = std::make_shared<cDocument>();
    doc->Title = "Table 14.1.1";
    doc->PageWidth = 12240, doc->PageHeight = 15840;
    doc->PageLandscape = True;
    doc->FontDefaultName = "Courier New";
    doc->FontDefaultHeight = 9;
    doc->CreationTime("2026-12-11 09:00");
    // Landscape turns the portrait sheet: its text width is the portrait height
    // less the top and bottom margins.
    const std::int32_t width = doc->PageHeight - doc->PageMarginTop - doc->PageMarginBottom;

    auto header = std::make_shared<cPage>();
    auto first = paragraph("Protocol: VLR-301");
    first->InsertText(run("\tPage "));
    first->InsertText(run("1", fPageNumber));
    first->InsertText(run(" of "));
    first->InsertText(run("1", fPageCount));
    first->AddTabStop(width, tRight);
    header->InsertParagraph(first);
    for (const char* line : {"Table 14.1.1", "Demographic and Baseline Characteristics", "Safety Population"})
        header->InsertParagraph(paragraph(line, aCenter));
    doc->PageHeader = header;
    auto footer = std::make_shared<cPage>();
    footer->InsertParagraph(paragraph("Program: t_dm.py   Output: t_dm.rtf   Data: ADSL"));
    doc->PageFooter = footer;

    const TableRows values = {
        {"", "Treatment", {}, ""},
        {"Characteristic", "Placebo\n(N=86)", "Active\n(N=84)", "Total\n(N=170)"},
        {"Age (years)", "", "", ""},
        {"  n", "86", "84", "170"},
        {"  Mean (SD)", "75.2 (8.59)", "74.4 (7.89)", "74.8 (8.24)"},
        {"  Median", 76.0, 76.0, 76.0},
        {"  Min - Max", "52.0 - 89.0", "51.0 - 88.0", "51.0 - 89.0"},
        {"Sex, n (%)", "", "", ""},
        {"  Female", "53 (61.6)", "50 (59.5)", "103 (60.6)"},
        {"  Male", "33 (38.4)", "34 (40.5)", "67 (39.4)"},
    };
    auto table = std::make_shared<cPage>();
    table->TableHeaderRows = 2;
    table->TableRules = True;
    table->TableFontHeight = 9;
    table->TableWidth = width;
    table->AddTableColumn(4560);
    for (int c = 0; c < 3; ++c) table->AddTableColumn(0, tDecimal, 1);
    table->InsertRows(values);
    table->InsertParagraph(
        paragraph("N: subjects in the population; n: subjects with data. Percentages are of N."));
    doc->InsertPage(table);
    return doc->Save("tlf.rtf") == True ? 0 : 1;
}
