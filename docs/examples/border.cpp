// Borders: a rule under a heading, and a coloured double frame.
#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();  // first: it sets the black index borders start with
    auto page = std::make_shared<cPage>();
    auto run = std::make_shared<cText>();
    run->Height = 14;

    auto heading = std::make_shared<cParagraph>();
    heading->Border->BottomVisible = True;     // the paragraph's own cBorder
    heading->Border->BottomWidth = 30;         // twips
    run->Text("A heading with a rule");
    heading->InsertText(run);
    page->InsertParagraph(heading);

    auto frame = std::make_shared<cBorder>();
    frame->TopVisible = frame->BottomVisible = True;
    frame->LeftVisible = frame->RightVisible = True;
    frame->BorderType = bDouble;
    frame->BorderColorIndex = doc->ColorIndex(0x996633);   // blue-grey
    auto boxed = std::make_shared<cParagraph>();
    boxed->Border = frame;                     // held by reference, read when the page takes it
    boxed->SpaceBefore = 240;
    run->Text("A paragraph in a double frame");
    boxed->InsertText(run);
    page->InsertParagraph(boxed);

    doc->InsertPage(page);
    return doc->Save("border.rtf") == True ? 0 : 1;
}
