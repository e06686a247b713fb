' A drawing: a line, a rectangle, an ellipse and a text box in one group,
' anchored in a paragraph. Positions and sizes are twips; colours are RGB.
Set doc = CreateObject("Velloran.cDocument")
Set drawing = CreateObject("Velloran.cDrawing")

Set line = CreateObject("Velloran.cLine")
line.x1 = 0: line.y1 = 1440: line.x2 = 5760: line.y2 = 1440
line.PenWidth = 30
line.PenRGBColor = RGB(255, 0, 0)
drawing.InsertLine line

Set rect = CreateObject("Velloran.cRect")
rect.x = 0: rect.y = 0: rect.Width = 1800: rect.Height = 1080
rect.FillPattern = 1                   ' solid, in the foreground colour
rect.FillForeRGBColor = RGB(255, 204, 153)  ' light orange
drawing.InsertRect rect

Set ellipse = CreateObject("Velloran.cEllipse")
ellipse.x = 2160: ellipse.y = 0: ellipse.Width = 1440: ellipse.Height = 1080
ellipse.FillPattern = 1
ellipse.FillForeRGBColor = RGB(102, 204, 102)  ' green
drawing.InsertEllipse ellipse

Set label = CreateObject("Velloran.cText")
label.Bold = True
label.Text = "A text box"
Set box = CreateObject("Velloran.cDrawingText")
box.x = 3960: box.y = 0: box.Width = 1800: box.Height = 1080
box.PenRGBColor = RGB(128, 128, 128)   ' grey outline
box.Text = label                       ' rendered when the box is inserted
drawing.InsertText box

Set para = CreateObject("Velloran.cParagraph")
para.InsertDrawing drawing
Set page = CreateObject("Velloran.cPage")
page.InsertParagraph para
doc.InsertPage page
If Not doc.Save("drawing.rtf") Then WScript.Echo "not saved"
