' Drawings and their shapes, as a paragraph holds them.

Const FillAndPen = "\dpfillfgcr0\dpfillfgcg0\dpfillfgcb0\dpfillbgcr255\dpfillbgcg255\dpfillbgcb255\dpfillpat0\dplinew15\dplinecor0\dplinecog0\dplinecob0"
Const EmptyDrawing = "{\*\do\dobxcolumn\dobypara\dodhgt0\dpx0\dpy0\dpxsize1\dpysize1\dpgroup\dpcount1\dpx0\dpy0\dpxsize1\dpysize1\dpendgroup\dpx0\dpy0\dpxsize0\dpysize0}"

Dim doc
Set doc = Make("cDocument")

Function DrawingRtf(drawing)
    Dim p
    Set p = Make("cParagraph")
    If p.InsertDrawing(drawing) Then DrawingRtf = ContentOf(p) Else DrawingRtf = "(False)"
End Function

Dim d, rect, ln, el, pl, pg, pt, tb, t, i
Set d = Make("cDrawing")
Check "an empty drawing", DrawingRtf(d), EmptyDrawing
Check "InsertDrawing of Nothing", Make("cParagraph").InsertDrawing(Nothing), False

Set rect = Make("cRect")
rect.x = 100: rect.y = 200: rect.Width = 1000: rect.Height = 500
Check "InsertRect", d.InsertRect(rect), True
Check "a drawing of one rectangle", DrawingRtf(d), _
    "{\shp{\*\shpinst\shpleft100\shptop200\shpright1100\shpbottom700\shpfhdr0\shpbxcolumn\shpbxignore\shpbypara" & _
    "\shpbyignore\shpwr3\shpwrk0\shpfblwtxt0\shpz0{\sp{\sn posrelh}{\sv 2}}{\sp{\sn posrelv}{\sv 2}}" & _
    "{\sp{\sn shapeType}{\sv 1}}{\sp{\sn fFilled}{\sv 0}}{\sp{\sn lineColor}{\sv 0}}{\sp{\sn lineWidth}{\sv 9525}}}" & _
    "{\shprslt{\*\do\dobxcolumn\dobypara\dodhgt500\dpx0\dpy0\dpxsize1000\dpysize500\dpgroup\dpcount2" & _
    "\dpx100\dpy200\dpxsize1000\dpysize500\dprect\dpx100\dpy200\dpxsize1000\dpysize500" & FillAndPen & _
    "\dpendgroup\dpx0\dpy0\dpxsize0\dpysize0}}}"
rect.x = 5000
CheckTrue "the rectangle was taken as it was", InStr(DrawingRtf(d), "\dpx5000") = 0

Set d = Make("cDrawing")
Set ln = Make("cLine")
ln.x2 = 1440: ln.y2 = 720: ln.PenRGBColor = 255
d.InsertLine ln
CheckTrue "a line", InStr(DrawingRtf(d), "\dpline\dpptx0\dppty0\dpptx1440\dppty720\dpx0\dpy0\dpxsize1440\dpysize720\dplinew15\dplinecor255\dplinecog0\dplinecob0") > 0

Set d = Make("cDrawing")
Set el = Make("cEllipse")
el.Width = 720: el.Height = 720: el.FillForeRGBColor = &HFF0000: el.FillPattern = 1
d.InsertEllipse el
CheckTrue "an ellipse", InStr(DrawingRtf(d), "\dpellipse\dpx0\dpy0\dpxsize720\dpysize720\dpfillfgcr0\dpfillfgcg0\dpfillfgcb255\dpfillbgcr255\dpfillbgcg255\dpfillbgcb255\dpfillpat1") > 0

Set d = Make("cDrawing")
Set pl = Make("cPolyline")
Set pg = Make("cPolygon")
Set pt = Make("cPoint")
Check "InsertPoint of Nothing", pl.InsertPoint(Nothing), False
For Each i In Array(Array(0, 0), Array(1440, 0), Array(1440, 720))
    pt.x = i(0): pt.y = i(1)
    Check "InsertPoint", pl.InsertPoint(pt), True
    pg.InsertPoint pt
Next
d.InsertPolyline pl
d.InsertPolygon pg
Dim body
body = "\dpptx0\dppty0\dpptx1440\dppty0\dpptx1440\dppty720\dpx0\dpy0\dpxsize1440\dpysize720"
CheckTrue "a polyline", InStr(DrawingRtf(d), "\dppolyline\dppolycount3" & body & FillAndPen) > 0
CheckTrue "a polygon", InStr(DrawingRtf(d), "\dppolygon\dppolycount3" & body & FillAndPen) > 0

' A text box keeps its run and renders it when it is inserted.
Set d = Make("cDrawing")
Set tb = Make("cDrawingText")
tb.Width = 2880: tb.Height = 720
Set t = TextOf("abc")
Set tb.Text = t
t.Text = "changed"
d.InsertText tb
CheckTrue "a text box renders its run when inserted", InStr(DrawingRtf(d), "\dptxbx\dpx0\dpy0\dpxsize2880\dpysize720" & FillAndPen & _
    "{\dptxbxtext\pard\plain {\f0\fs20 changed}\par}") > 0
Set d = Make("cDrawing")
tb.Text = TextOf("second")
d.InsertText tb
CheckTrue "Text assigned without Set", InStr(DrawingRtf(d), "{\dptxbxtext\pard\plain {\f0\fs20 second}\par}") > 0
Set d = Make("cDrawing")
Set tb.Text = Nothing
d.InsertText tb
CheckTrue "Text set to Nothing", InStr(DrawingRtf(d), "{\dptxbxtext\pard\plain \par}") > 0

' Nothing and the wrong kind of shape.
Set d = Make("cDrawing")
Check "InsertText of Nothing", d.InsertText(Nothing), False
Check "InsertEllipse of Nothing", d.InsertEllipse(Nothing), False
Check "InsertPolygon of Nothing", d.InsertPolygon(Nothing), False
Check "InsertPolyline of Nothing", d.InsertPolyline(Nothing), False
Check "InsertLine of Nothing", d.InsertLine(Nothing), False
Check "InsertRect of Nothing", d.InsertRect(Nothing), False
Check "Nothing inserted leaves the drawing empty", DrawingRtf(d), EmptyDrawing
On Error Resume Next
Dim r
r = d.InsertRect(Make("cEllipse"))
CheckErr "an ellipse is no rectangle", 13
Set tb.Text = Make("cParagraph")
CheckErr "a paragraph is no text box run", 13
' Overflow fails the call and leaves the drawing as it was.
d.InsertRect rect
Dim kept
kept = DrawingRtf(d)
Set ln = Make("cLine")
ln.x1 = -2147483647 - 1: ln.x2 = 1
r = d.InsertLine(ln)
CheckVelloranErr "a line whose width overflows", 6, "Overflow"
Set t = TextOf("big")
t.Height = 1073741824
Set tb = Make("cDrawingText")
tb.Text = t
r = d.InsertText(tb)
CheckErr "a text box whose run overflows", 6
On Error GoTo 0
Check "the drawing is as it was", DrawingRtf(d), kept

Finish
