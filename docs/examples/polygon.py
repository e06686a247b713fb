"""Polylines and polygons: one cPoint moved and inserted for every vertex."""
import velloran

doc = velloran.cDocument()
point = velloran.cPoint()

zigzag = velloran.cPolyline()          # open
zigzag.PenWidth = 30
for point.x, point.y in [(0, 720), (480, 0), (960, 720), (1440, 0), (1920, 720)]:
    zigzag.InsertPoint(point)          # the shape keeps the point as it is now

triangle = velloran.cPolygon()         # closed: the last point joins the first
triangle.FillPattern = 1
triangle.FillForeRGBColor = 0xFF9933   # blue
for point.x, point.y in [(2400, 720), (3120, 0), (3840, 720)]:
    triangle.InsertPoint(point)

drawing = velloran.cDrawing()
drawing.InsertPolyline(zigzag)
drawing.InsertPolygon(triangle)
para = velloran.cParagraph()
para.InsertDrawing(drawing)
page = velloran.cPage()
page.InsertParagraph(para)
doc.InsertPage(page)
if not doc.Save("polygon.rtf"):
    raise SystemExit("not saved")
