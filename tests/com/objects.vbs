' Creation by ProgID, field defaults, round trips, read-only and write-only
' members, and the identity of object-valued fields.

Dim early, earlyBorder, earlyCell
' Before the thread's first document, colour indexes start at 0.
Set early = Make("cText")
Set earlyBorder = Make("cBorder")
Set earlyCell = Make("cCell")
Check "cText before any document: ForeColorIndex", early.ForeColorIndex, 0
Check "cText before any document: BackColorIndex", early.BackColorIndex, 0
Check "cBorder before any document: BorderColorIndex", earlyBorder.BorderColorIndex, 0
Check "cCell before any document: BackColorIndex", earlyCell.BackColorIndex, 0

Dim names, n, o
names = Array("cDocument", "cPage", "cCell", "cParagraph", "cText", "cBorder", "cPicture", "cDrawing", _
              "cLine", "cRect", "cEllipse", "cPolyline", "cPolygon", "cPoint", "cDrawingText")
For Each n In names
    Set o = Make(n)
    Check "Velloran." & n & " is named after its class", TypeName(o), n
Next

Dim doc
Set doc = Make("cDocument")
Check "document: Author", doc.Author, ""
Check "document: Operator", doc.Operator, ""
Check "document: Title", doc.Title, ""
Check "document: Subject", doc.Subject, ""
Check "document: PageWidth", doc.PageWidth, 11906
Check "document: PageHeight", doc.PageHeight, 16837
Check "document: margins", doc.PageMarginLeft & " " & doc.PageMarginRight & " " & doc.PageMarginTop & " " & doc.PageMarginBottom, "1440 1440 1440 1440"
Check "document: PageLandscape", doc.PageLandscape, False
Check "document: PageNumbersOn", doc.PageNumbersOn, False
Check "document: PageNumberStart", doc.PageNumberStart, 1
Check "document: PageNumberMarginRight", doc.PageNumberMarginRight, 720
Check "document: PageNumberMarginTop", doc.PageNumberMarginTop, 720
Check "document: FontDefaultName", doc.FontDefaultName, "Arial"
Check "document: FontDefaultCharSet", doc.FontDefaultCharSet, 0
Check "document: FontDefaultHeight", doc.FontDefaultHeight, 10
CheckTrue "document: Header is Nothing", doc.Header Is Nothing
CheckTrue "document: Footer is Nothing", doc.Footer Is Nothing
Check "document: LastPage", doc.LastPage, 0
CheckType "document: PageWidth is a Long", doc.PageWidth, vbLong
CheckType "document: PageLandscape is a Boolean", doc.PageLandscape, vbBoolean
CheckType "document: Title is a String", doc.Title, vbString
CheckType "document: LastPage is a Long", doc.LastPage, vbLong

doc.Author = "Ann " & Chr(228) & "hm"
doc.Title = ""
doc.Subject = "Line1" & vbCrLf & "Line2"
doc.PageWidth = -1
doc.PageHeight = 2147483647
doc.PageMarginLeft = -2147483647 - 1
doc.PageLandscape = True
doc.PageNumbersOn = 1
doc.PageNumberStart = 0
doc.FontDefaultName = "Times New Roman"
doc.FontDefaultCharSet = 161
doc.FontDefaultHeight = 0
Check "document: Author round trip, beyond ASCII", doc.Author, "Ann " & Chr(228) & "hm"
Check "document: Subject round trip with a line break", doc.Subject, "Line1" & vbCrLf & "Line2"
Check "document: PageWidth negative", doc.PageWidth, -1
Check "document: PageHeight largest Long", doc.PageHeight, 2147483647
Check "document: PageMarginLeft smallest Long", doc.PageMarginLeft, -2147483647 - 1
Check "document: PageLandscape True", doc.PageLandscape, True
Check "document: a number assigned to a Boolean arrives as True", doc.PageNumbersOn, True
Check "document: FontDefaultName", doc.FontDefaultName, "Times New Roman"
Check "document: FontDefaultCharSet", doc.FontDefaultCharSet, 161
doc.PageWidth = "1234"
Check "document: a numeric string is converted", doc.PageWidth, 1234
doc.PageNumberStart = 2.6
Check "document: a Double is rounded to Long", doc.PageNumberStart, 3

Dim t
Set t = Make("cText")
Check "text: FontIndex", t.FontIndex, 0
Check "text: Height", t.Height, 10
Check "text: Bold Italic Strike", t.Bold & t.Italic & t.Strike, "FalseFalseFalse"
Check "text: ForeColorIndex is black after a document", t.ForeColorIndex, 1
Check "text: BackColorIndex is white after a document", t.BackColorIndex, 2
Check "text: underlines", t.Underline & t.UnderlineDot & t.UnderlineDouble & t.UnderlineWords, "FalseFalseFalseFalse"
t.FontIndex = 7: t.Height = -3: t.Bold = True: t.ForeColorIndex = 99: t.BackColorIndex = -1
Check "text: round trips", t.FontIndex & " " & t.Height & " " & t.Bold & " " & t.ForeColorIndex & " " & t.BackColorIndex, "7 -3 True 99 -1"
t.UnderlineDot = True
t.Underline = True
Check "text: plain underline clears dotted underline", t.Underline & " " & t.UnderlineDot, "True False"

Dim b
Set b = Make("cBorder")
Check "border: widths", b.TopWidth & b.LeftWidth & b.BottomWidth & b.RightWidth, "20202020"
Check "border: sides hidden", b.TopVisible Or b.LeftVisible Or b.BottomVisible Or b.RightVisible, False
Check "border: BorderType", b.BorderType, 1
Check "border: BorderColorIndex", b.BorderColorIndex, 1
b.BorderType = 0: b.RightWidth = 32768: b.LeftVisible = True
Check "border: out-of-range values are kept", b.BorderType & " " & b.RightWidth & " " & b.LeftVisible, "0 32768 True"

Dim cell
Set cell = Make("cCell")
Check "cell: Width", cell.Width, 720
Check "cell: BackColorIndex is white", cell.BackColorIndex, 2
Check "cell: its border shows all four sides", cell.Border.TopVisible And cell.Border.LeftVisible And cell.Border.BottomVisible And cell.Border.RightVisible, True
cell.Width = 0: cell.BackColorIndex = 40000
Check "cell: round trips", cell.Width & " " & cell.BackColorIndex, "0 40000"

Dim p
Set p = Make("cParagraph")
Check "paragraph: Align", p.Align, 0
Check "paragraph: lengths", p.IndentFirstLine & p.IndentLeft & p.IndentRight & p.SpaceBefore & p.SpaceAfter & p.SpaceBetweenLines, "000000"
CheckTrue "paragraph: has a border of its own", Not (p.Border Is Nothing)
p.Align = 7: p.IndentFirstLine = -360: p.SpaceBetweenLines = 240
Check "paragraph: an alignment outside the enumeration is kept", p.Align, 7
Check "paragraph: round trips", p.IndentFirstLine & " " & p.SpaceBetweenLines, "-360 240"

Dim pic
Set pic = Make("cPicture")
Check "picture: File", pic.File, ""
Check "picture: Width Height", pic.Width & " " & pic.Height, "0 0"
Check "picture: ScaleFactor", pic.ScaleFactor, 1
CheckType "picture: ScaleFactor is a Single", pic.ScaleFactor, vbSingle
pic.ScaleFactor = 0.5: pic.File = "C:\pictures\a.bmp": pic.Width = 5000
Check "picture: round trips", pic.ScaleFactor & " " & pic.File & " " & pic.Width, CStr(CSng(0.5)) & " C:\pictures\a.bmp 5000"

Dim ln
Set ln = Make("cLine")
Check "line: defaults", ln.x1 & ln.y1 & ln.x2 & ln.y2 & " " & ln.PenWidth & " " & ln.PenRGBColor, "0000 15 0"
ln.x1 = 1: ln.y1 = 2: ln.x2 = 3: ln.y2 = 4: ln.PenWidth = 5: ln.PenRGBColor = &HFF
Check "line: round trips", ln.x1 & ln.y1 & ln.x2 & ln.y2 & ln.PenWidth & " " & ln.PenRGBColor, "12345 255"

For Each n In Array("cRect", "cEllipse", "cDrawingText")
    Set o = Make(n)
    Check n & ": defaults", o.x & o.y & o.Width & o.Height & " " & o.PenWidth & " " & o.PenRGBColor & " " & _
        o.FillBackRGBColor & " " & o.FillForeRGBColor & " " & o.FillPattern, "0000 15 0 16777215 0 0"
    o.x = -1: o.y = -2: o.Width = -3: o.Height = -4: o.PenWidth = 0: o.PenRGBColor = 1
    o.FillBackRGBColor = 2: o.FillForeRGBColor = 3: o.FillPattern = 42
    Check n & ": round trips", o.x & o.y & o.Width & o.Height & " " & o.PenWidth & o.PenRGBColor & _
        o.FillBackRGBColor & o.FillForeRGBColor & " " & o.FillPattern, "-1-2-3-4 0123 42"
Next

For Each n In Array("cPolyline", "cPolygon")
    Set o = Make(n)
    Check n & ": defaults", o.PenWidth & " " & o.PenRGBColor & " " & o.FillBackRGBColor & " " & _
        o.FillForeRGBColor & " " & o.FillPattern, "15 0 16777215 0 0"
    o.PenWidth = 9: o.FillPattern = 1
    Check n & ": round trips", o.PenWidth & " " & o.FillPattern, "9 1"
Next

Dim pt
Set pt = Make("cPoint")
pt.x = 1440: pt.y = -720
Check "point: round trip", pt.x & " " & pt.y, "1440 -720"

' Members that cannot be read or written.
On Error Resume Next
Dim v
v = t.Text
CheckErr "text: Text cannot be read", 438
doc.LastPage = 5
CheckErr "document: LastPage cannot be written", 438
v = Make("cDrawingText").Text
CheckErr "text box: Text cannot be read", 438
v = Make("cPolygon").x
CheckErr "polygon: has no x", 438
v = doc.NoSuchMember
CheckErr "an unknown member", 438
doc.PageWidth = "wide"
CheckErr "a string that is no number is a type mismatch", 13
Check "the failed assignment kept the value", doc.PageWidth, 1234
doc.PageWidth = CDbl(2147483647) + 1
CheckErr "a number beyond Long overflows", 6
doc.PageWidth = Null
CheckErr "Null for a Long", 13
' Nothing is no value either: a type mismatch wherever a value is expected.
doc.PageWidth = Nothing
CheckErr "Nothing for a Long", 13
doc.Title = Nothing
CheckErr "Nothing for a String", 13
doc.Title = Null
CheckErr "Null for a String", 13
doc.PageLandscape = Nothing
CheckErr "Nothing for a Boolean", 13
p.Align = Nothing
CheckErr "Nothing for an enumeration", 13
Make("cPicture").ScaleFactor = Nothing
CheckErr "Nothing for a Single", 13
v = doc.FontIndex(Nothing)
CheckErr "Nothing for a String argument", 13
v = doc.FontIndex("Arial", Nothing)
CheckErr "Nothing for a Long argument", 13
v = doc.ColorIndex(Nothing)
CheckErr "Nothing for ColorIndex", 13
v = doc.Save(Nothing)
CheckErr "Nothing for a path", 13
Check "the refused values left the fields as they were", doc.PageWidth & " " & doc.Title, "1234 "
Set o = CreateObject("Velloran.cNoSuchClass")
CheckErr "an unknown ProgID", 429
On Error GoTo 0

' Object-valued fields keep the identity of what was assigned.
Dim b1, b2, header, footer
Set p = Make("cParagraph")
Set b1 = p.Border
Set b2 = p.Border
CheckSame "paragraph: its own Border is the same object on every read", b1, b2
b1.TopWidth = 99
Check "paragraph: the Border read is the paragraph's own", p.Border.TopWidth, 99
Set b = Make("cBorder")
Set p.Border = b
CheckSame "paragraph: Border returns the assigned object", p.Border, b
Set cell = Make("cCell")
Set cell.Border = b
CheckSame "cell: Border returns the assigned object", cell.Border, b
b.LeftWidth = 7
Check "one border shared by paragraph and cell", p.Border.LeftWidth & cell.Border.LeftWidth, "77"
Set pic = Make("cPicture")
Set pic.Border = b
CheckSame "picture: Border returns the assigned object", pic.Border, b
Set p.Border = Nothing
CheckTrue "paragraph: Border set to Nothing", p.Border Is Nothing
Set header = Make("cParagraph")
Set footer = Make("cParagraph")
Set doc.Header = header
Set doc.Footer = footer
CheckSame "document: Header returns the assigned paragraph", doc.Header, header
CheckSame "document: Footer returns the assigned paragraph", doc.Footer, footer
Set doc.Header = footer
CheckSame "document: one paragraph as header and footer", doc.Header, doc.Footer
Set doc.Footer = Nothing
CheckTrue "document: Footer set to Nothing", doc.Footer Is Nothing
' Plain assignment of an object works like Set where the host passes the object.
doc.Header = header
CheckSame "document: Header assigned without Set", doc.Header, header
Set p = Make("cParagraph")
Set b = Make("cBorder")
p.Border = b
CheckSame "paragraph: Border assigned without Set", p.Border, b
On Error Resume Next
Set doc.Header = Make("cText")
CheckErr "document: a cText is no Header", 13
CheckSame "document: the refused Header left the old one", doc.Header, header
Set p.Border = Make("cCell")
CheckErr "paragraph: a cCell is no Border", 13
Set doc.Header = CreateObject("Scripting.Dictionary")
CheckErr "document: a foreign object is no Header", 13
On Error GoTo 0
' An object lives on while a field holds it.
Set doc.Footer = Make("cParagraph")
doc.Footer.SpaceAfter = 120
Check "document: a paragraph held only by the Footer lives on", doc.Footer.SpaceAfter, 120

Finish
