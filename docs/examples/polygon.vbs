' Polylines and polygons: one cPoint moved and inserted for every vertex.
Set doc = CreateObject("Velloran.cDocument")
Set point = CreateObject("Velloran.cPoint")

Set zigzag = CreateObject("Velloran.cPolyline")   ' open
zigzag.PenWidth = 30
xs = Array(0, 480, 960, 1440, 1920)
ys = Array(720, 0, 720, 0, 720)
For i = 0 To 4
    point.x = xs(i): point.y = ys(i)   ' the shape keeps the point as it is now
    zigzag.InsertPoint point
Next

Set triangle = CreateObject("Velloran.cPolygon")  ' closed: the last point joins the first
triangle.FillPattern = 1
triangle.FillForeRGBColor = RGB(&H33, &H99, &HFF) ' blue
xs = Array(2400, 3120, 3840)
ys = Array(720, 0, 720)
For i = 0 To 2
    point.x = xs(i): point.y = ys(i)
    triangle.InsertPoint point
Next

Set drawing = CreateObject("Velloran.cDrawing")
drawing.InsertPolyline zigzag
drawing.InsertPolygon triangle
Set para = CreateObject("Velloran.cParagraph")
para.InsertDrawing drawing
Set page = CreateObject("Velloran.cPage")
page.InsertParagraph para
doc.InsertPage page
If Not doc.Save("polygon.rtf") Then WScript.Echo "not saved"
