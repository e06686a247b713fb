// cPicture, the shapes and cDrawing.
#include <string>

#include "members.hpp"
#include "members_cDrawingText.hpp"
#include "members_cEllipse.hpp"
#include "members_cLine.hpp"
#include "members_cPicture.hpp"
#include "members_cPoint.hpp"
#include "members_cPolygon.hpp"
#include "members_cPolyline.hpp"
#include "members_cRect.hpp"

namespace velloran::python {

void registerPicture(py::module_& m) {
    // cPicture
    Class<cPicture> picture(
        m, "cPicture",
        "cPicture()\n\nA picture file to embed in a paragraph: as a Windows metafile, or a PNG or JPEG file as it is.");
    generatedMembers(picture);
    picture.finish();
}

void registerShapes(py::module_& m) {
    // Shapes.
    Class<cPoint> point(m, "cPoint", "cPoint()\n\nA vertex of a polyline or polygon.");
    generatedMembers(point);
    point.finish();

    Class<cLine> line(m, "cLine", "cLine()\n\nA straight line between two end points.");
    generatedMembers(line);
    line.finish();

    Class<cRect> rect(m, "cRect", "cRect()\n\nA rectangle.");
    generatedMembers(rect);
    rect.finish();

    Class<cEllipse> ellipse(m, "cEllipse", "cEllipse()\n\nAn ellipse within its bounding rectangle.");
    generatedMembers(ellipse);
    ellipse.finish();

    Class<cDrawingText> box(m, "cDrawingText", "cDrawingText()\n\nA text box holding one run as a single paragraph.");
    generatedMembers(box);
    box.finish();
    auto points = [](auto& cls) {
        using C = typename std::remove_reference_t<decltype(cls)>::type;
        generatedMembers(cls);
        insert<C, cPoint>(
            cls, "InsertPoint", "point", "Point", &C::InsertPoint,
            "InsertPoint(point: cPoint | None) -> bool\n\nAppend the point as it is now; False for None.");
    };
    Class<cPolyline> polyline(m, "cPolyline", "cPolyline()\n\nAn open chain of line segments through its points.");
    points(polyline);
    polyline.finish();
    Class<cPolygon> polygon(m, "cPolygon", "cPolygon()\n\nA closed outline through its points.");
    points(polygon);
    polygon.finish();

    Class<cDrawing> drawing(m, "cDrawing",
                            "cDrawing()\n\nA group of shapes anchored in a paragraph. Each insert appends the shape "
                            "as it is now and widens the group's box; error 6 when a sum or the count overflows, "
                            "leaving the drawing as it was.");
    insert<cDrawing, cDrawingText>(
        drawing, "InsertText", "text", "Text", &cDrawing::InsertText,
        "InsertText(text: cDrawingText | None) -> bool\n\nAppend a text box; False for None.");
    insert<cDrawing, cEllipse>(drawing, "InsertEllipse", "ellipse", "Ellipse", &cDrawing::InsertEllipse,
                               "InsertEllipse(ellipse: cEllipse | None) -> bool\n\nAppend an ellipse; False for None.");
    insert<cDrawing, cPolygon>(drawing, "InsertPolygon", "polygon", "Polygon", &cDrawing::InsertPolygon,
                               "InsertPolygon(polygon: cPolygon | None) -> bool\n\nAppend a polygon; False for None.");
    insert<cDrawing, cPolyline>(drawing, "InsertPolyline", "polyline", "Polyline", &cDrawing::InsertPolyline,
                                "InsertPolyline(polyline: cPolyline | None) -> bool\n\nAppend a polyline; False for "
                                "None.");
    insert<cDrawing, cLine>(drawing, "InsertLine", "line", "Line", &cDrawing::InsertLine,
                            "InsertLine(line: cLine | None) -> bool\n\nAppend a line; False for None.");
    insert<cDrawing, cRect>(drawing, "InsertRect", "rect", "Rect", &cDrawing::InsertRect,
                            "InsertRect(rect: cRect | None) -> bool\n\nAppend a rectangle; False for None.");
    drawing.finish();
}

}  // namespace velloran::python
