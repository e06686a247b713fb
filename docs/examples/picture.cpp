// Pictures: a PNG file at its own size, at a declared size, resampled to
// half its pixels with a border, and a file that is not there.
#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    auto para = std::make_shared<cParagraph>();
    auto gap = std::make_shared<cText>();
    gap->Text("  ");

    auto picture = std::make_shared<cPicture>();
    picture->File = "wheel.png";           // 120 x 80 pixels: 2400 x 1600 hundredths of a millimetre
    if (para->InsertPicture(picture) != True) return 1;
    para->InsertText(gap);

    picture->Width = 4800;                 // declared: 48 x 32 mm, the same pixels
    picture->Height = 3200;
    para->InsertPicture(picture);
    para->InsertText(gap);

    picture->Width = 0;                    // 0 follows the picture again
    picture->Height = 0;
    picture->ScaleFactor = 0.5f;           // resampled to 60 x 40 pixels
    picture->Border->TopVisible = picture->Border->BottomVisible = True;
    picture->Border->LeftVisible = picture->Border->RightVisible = True;
    para->InsertPicture(picture);

    picture->File = "missing.png";
    if (para->InsertPicture(picture) != False) return 1;  // False, and the paragraph is as it was

    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para);
    doc->InsertPage(page);
    return doc->Save("picture.rtf") == True ? 0 : 1;
}
