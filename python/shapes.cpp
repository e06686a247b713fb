// cPicture, the shapes and cDrawing.
#include <string>

#include "members.hpp"

namespace velloran::python {

void registerPicture(py::module_& m) {
    // cPicture
    Class<cPicture> picture(
        m, "cPicture",
        "cPicture()\n\nA picture file to embed in a paragraph: as a Windows metafile, or a PNG or JPEG file as it is.");
    field<PathValue>(picture, "File", &cPicture::File, "Path of the picture file: str or any path-like object.");
    field<LongValue>(picture, "Width", &cPicture::Width,
                     "Declared width in hundredths of a millimetre; 0 (default) follows the picture.");
    field<LongValue>(picture, "Height", &cPicture::Height,
                     "Declared height in hundredths of a millimetre; 0 (default) follows the picture.");
    field<SingleValue>(picture, "ScaleFactor", &cPicture::ScaleFactor,
                       "Factor on the picture's own size, a 32-bit float (default 1.0); not above 0 counts as 1.");
    objectField<cBorder>(picture, "Border", &cPicture::Border,
                         "The picture's cBorder (a new one of its own at first).");
    field<EmbeddingValue>(picture, "Embedding", &cPicture::Embedding,
                          "A vlRTFPictureEmbedding: eOriginal or eOriginalAndMetafile keep a PNG or JPEG file as "
                          "it is (default eMetafile).");
    field<LongValue>(picture, "WidthTwips", &cPicture::WidthTwips,
                     "Declared width in twips, before Width; not above 0 (default) leaves it to Width.");
    field<LongValue>(picture, "HeightTwips", &cPicture::HeightTwips,
                     "Declared height in twips, before Height; not above 0 (default) leaves it to Height.");
    field<BooleanValue>(picture, "UseFileResolution", &cPicture::UseFileResolution,
                        "True: the picture's own size follows from the resolution its file records; a file that "
                        "records none keeps 20 hundredths of a millimetre a pixel (default False).");
    picture.finish();
}

void registerShapes(py::module_& m) {
    // Shapes.
    Class<cPoint> point(m, "cPoint", "cPoint()\n\nA vertex of a polyline or polygon.");
    field<LongValue>(point, "x", &cPoint::x, "Horizontal position in twips (default 0).");
    field<LongValue>(point, "y", &cPoint::y, "Vertical position in twips (default 0).");
    point.finish();

    Class<cLine> line(m, "cLine", "cLine()\n\nA straight line between two end points.");
    field<LongValue>(line, "x1", &cLine::x1, "First end point, horizontal, in twips.");
    field<LongValue>(line, "y1", &cLine::y1, "First end point, vertical, in twips.");
    field<LongValue>(line, "x2", &cLine::x2, "Second end point, horizontal, in twips.");
    field<LongValue>(line, "y2", &cLine::y2, "Second end point, vertical, in twips.");
    field<LongValue>(line, "PenWidth", &cLine::PenWidth, kPenWidth);
    field<LongValue>(line, "PenRGBColor", &cLine::PenRGBColor, kPenRGBColor);
    line.finish();

    Class<cRect> rect(m, "cRect", "cRect()\n\nA rectangle.");
    boxFields(rect);
    rect.finish();

    Class<cEllipse> ellipse(m, "cEllipse", "cEllipse()\n\nAn ellipse within its bounding rectangle.");
    boxFields(ellipse);
    ellipse.finish();

    Class<cDrawingText> box(m, "cDrawingText", "cDrawingText()\n\nA text box holding one run as a single paragraph.");
    boxFields(box);
    writeOnly(
        box, "Text",
        [](py::handle self_, py::handle value) {
            cDrawingText& self = initialized<cDrawingText>(self_);
            const auto& run = toObject<cText>(value);
            waitFree({&self});
            self.Text(run);
        },
        "The cText of the box (write-only): the run is rendered when the box is inserted into a drawing; None "
        "clears it.");

    box.finish();
    auto points = [](auto& cls) {
        using C = typename std::remove_reference_t<decltype(cls)>::type;
        fillAndPen(cls);
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
