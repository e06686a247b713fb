// A header and a footer on every page. The document holds the two paragraphs
// by reference and renders them at every Rtf and Save.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    auto run = std::make_shared<cText>();
    run->Height = 9;
    run->ForeColorIndex = doc->ColorIndex(0x808080);   // grey

    auto header = std::make_shared<cParagraph>();
    run->Text("Velloran manual");
    header->InsertText(run);
    header->Border->BottomVisible = True;
    doc->Header = header;

    auto footer = std::make_shared<cParagraph>();
    footer->Align = aCenter;
    run->Text("Printed by the examples of docs/");
    footer->InsertText(run);
    doc->Footer = footer;
    header->Align = aRight;                // still counts: read at Save

    for (int n = 1; n <= 2; ++n) {
        auto body = std::make_shared<cText>();
        body->Text("The text of page " + std::to_string(n) + ".");
        auto para = std::make_shared<cParagraph>();
        para->InsertText(body);
        auto page = std::make_shared<cPage>();
        page->InsertParagraph(para);
        doc->InsertPage(page);
    }
    return doc->Save("header.rtf") == True ? 0 : 1;
}
