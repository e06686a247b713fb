// A drawing: a line, a rectangle, an ellipse and a text box in one group,
// anchored in a paragraph. Positions and sizes are twips; colours are RGB.
#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    auto drawing = std::make_shared<cDrawing>();

    auto line = std::make_shared<cLine>();
    line->x1 = 0, line->y1 = 1440, line->x2 = 5760, line->y2 = 1440;
    line->PenWidth = 30;
    line->PenRGBColor = 0x0000FF;          // red
    drawing->InsertLine(line);

    auto rect = std::make_shared<cRect>();
    rect->x = 0, rect->y = 0, rect->Width = 1800, rect->Height = 1080;
    rect->FillPattern = 1;                 // solid, in the foreground colour
    rect->FillForeRGBColor = 0x99CCFF;     // light orange
    drawing->InsertRect(rect);

    auto ellipse = std::make_shared<cEllipse>();
    ellipse->x = 2160, ellipse->y = 0, ellipse->Width = 1440, ellipse->Height = 1080;
    ellipse->FillPattern = 1;
    ellipse->FillForeRGBColor = 0x66CC66;  // green
    drawing->InsertEllipse(ellipse);

    auto label = std::make_shared<cText>();
    label->Bold = True;
    label->Text("A text box");
    auto box = std::make_shared<cDrawingText>();
    box->x = 3960, box->y = 0, box->Width = 1800, box->Height = 1080;
    box->PenRGBColor = 0x808080;           // grey outline
    box->Text(label);                      // rendered when the box is inserted
    drawing->InsertText(box);

    auto para = std::make_shared<cParagraph>();
    para->InsertDrawing(drawing);
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para);
    doc->InsertPage(page);
    return doc->Save("drawing.rtf") == True ? 0 : 1;
}
