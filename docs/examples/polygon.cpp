// Polylines and polygons: one cPoint moved and inserted for every vertex.
#include <utility>

#include <velloran/velloran.hpp>

using namespace velloran;

int main() {
    auto doc = std::make_shared<cDocument>();
    auto point = std::make_shared<cPoint>();

    auto zigzag = std::make_shared<cPolyline>();   // open
    zigzag->PenWidth = 30;
    for (auto [x, y] : {std::pair{0, 720}, {480, 0}, {960, 720}, {1440, 0}, {1920, 720}}) {
        point->x = x, point->y = y;        // the shape keeps the point as it is now
        zigzag->InsertPoint(point);
    }

    auto triangle = std::make_shared<cPolygon>();  // closed: the last point joins the first
    triangle->FillPattern = 1;
    triangle->FillForeRGBColor = 0xFF9933;         // blue
    for (auto [x, y] : {std::pair{2400, 720}, {3120, 0}, {3840, 720}}) {
        point->x = x, point->y = y;
        triangle->InsertPoint(point);
    }

    auto drawing = std::make_shared<cDrawing>();
    drawing->InsertPolyline(zigzag);
    drawing->InsertPolygon(triangle);
    auto para = std::make_shared<cParagraph>();
    para->InsertDrawing(drawing);
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(para);
    doc->InsertPage(page);
    return doc->Save("polygon.rtf") == True ? 0 : 1;
}
