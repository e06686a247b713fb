// Page set-up, document information, the default font and page numbering.
#include <string>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    doc->Title = "Quarterly report";
    doc->Subject = "Sales";
    doc->Author = "Ada Lovelace";
    doc->PageWidth = 12240;                // US Letter, 8.5 x 11 inches, in twips
    doc->PageHeight = 15840;
    doc->PageMarginLeft = 1134;            // 2 cm
    doc->PageMarginRight = 1134;
    doc->FontDefaultName = "Georgia";      // font index 0
    doc->FontDefaultHeight = 12;           // points
    doc->PageNumbersOn = True;

    for (int n = 1; n <= 2; ++n) {
        auto run = std::make_shared<cText>();
        run->Height = 0;                   // no size of its own: the default's 12 points
        run->Text("Page " + std::to_string(n) + " of the report, in Georgia.");
        auto para = std::make_shared<cParagraph>();
        para->InsertText(run);
        auto page = std::make_shared<cPage>();
        page->InsertParagraph(para);
        doc->InsertPage(page);
    }
    // doc->LastPage() is 2; doc->Rtf() would give the same text as a string.
    return doc->Save("document.rtf") == True ? 0 : 1;
}
