"""A drawing: a line, a rectangle, an ellipse and a text box in one group,
anchored in a paragraph. Positions and sizes are twips; colours are RGB."""
import velloran

doc = velloran.cDocument()
drawing = velloran.cDrawing()

line = velloran.cLine()
line.x1, line.y1, line.x2, line.y2 = 0, 1440, 5760, 1440
line.PenWidth = 30
line.PenRGBColor = 0x0000FF            # red
drawing.InsertLine(line)

rect = velloran.cRect()
rect.x, rect.y, rect.Width, rect.Height = 0, 0, 1800, 1080
rect.FillPattern = 1                   # solid, in the foreground colour
rect.FillForeRGBColor = 0x99CCFF       # light orange
drawing.InsertRect(rect)

ellipse = velloran.cEllipse()
ellipse.x, ellipse.y, ellipse.Width, ellipse.Height = 2160, 0, 1440, 1080
ellipse.FillPattern = 1
ellipse.FillForeRGBColor = 0x66CC66    # green
drawing.InsertEllipse(ellipse)

label = velloran.cText()
label.Bold = True
label.Text = "A text box"
box = velloran.cDrawingText()
box.x, box.y, box.Width, box.Height = 3960, 0, 1800, 1080
box.PenRGBColor = 0x808080             # grey outline
box.Text = label                       # rendered when the box is inserted
drawing.InsertText(box)

para = velloran.cParagraph()
para.InsertDrawing(drawing)
page = velloran.cPage()
page.InsertParagraph(para)
doc.InsertPage(page)
if not doc.Save("drawing.rtf"):
    raise SystemExit("not saved")
