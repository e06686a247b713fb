' Tables from VBScript arrays: the first index is the column, the second the
' row; index 0 is never read.

Const Sides = "\clbrdrt\brdrs\brdrw20 \clbrdrb\brdrs\brdrw20 \clbrdrl\brdrs\brdrw20 \clbrdrr\brdrs\brdrw20 "
Const RowStart = "\trowd\trgaph0\trrh0\trleft0"

Dim doc
Set doc = Make("cDocument")

Function CellOf(s)
    Dim c
    Set c = Make("cCell")
    If s <> "" Then c.InsertParagraph ParagraphOf(s)
    Set CellOf = c
End Function

Function TableOf(cells)
    Dim page
    Set page = Make("cPage")
    If page.InsertTable(cells) Then TableOf = PageContent(page) Else TableOf = "(False)"
End Function

Dim a(2, 1)
Set a(1, 1) = CellOf("A")
Set a(2, 1) = CellOf("B")
Check "one row of two cells", TableOf(a), RowStart & vbCrLf & Sides & "\cellx720" & vbCrLf & Sides & "\cellx1440" & vbCrLf & _
    "\pard\plain\intbl" & EndedByCell("A") & "\cell" & vbCrLf & "\pard\plain\intbl" & EndedByCell("B") & "\cell\row" & vbCrLf & "\pard" & vbCrLf

Dim laid(1, 1), laidPage
Set laid(1, 1) = CellOf("C")
laid(1, 1).VerticalAlignment = 2
laid(1, 1).PaddingLeft = 60
Set laidPage = Make("cPage")
laidPage.TableAlign = 2: laidPage.TableRowHeight = 400: laidPage.TableRowHeightExact = True: laidPage.TableKeepRowsTogether = True
laidPage.InsertTable laid
Dim laidRows
laidRows = "\trowd\trgaph0\trrh-400\trleft0\trqc\trkeep" & vbCrLf & Sides & "\clvertalb\clpadt60\clpadft3\cellx720" & vbCrLf & "\pard"
Check "a centred table of exact rows kept whole, its cell at the bottom and padded", _
    Left(PageContent(laidPage), Len(laidRows)), laidRows

Dim one(1, 1)
Set one(1, 1) = Make("cCell")
Check "one cell without paragraphs", TableOf(one), RowStart & vbCrLf & Sides & "\cellx720" & vbCrLf & "\pard\plain\intbl\cell\row" & vbCrLf & "\pard" & vbCrLf

' Index 0 is ignored, even when it holds something else than a cell.
Dim grid(2, 3), c, r, table
For c = 1 To 2
    For r = 1 To 3
        Set grid(c, r) = CellOf(c & "" & r)
    Next
Next
grid(0, 0) = "heading"
grid(1, 0) = "column one"
grid(0, 2) = 42
table = TableOf(grid)
Check "three rows of two cells", UBound(Split(table, "\cellx1440" & vbCrLf)), 3
CheckTrue "columns before rows", InStr(table, "{\f0\fs20 11}") < InStr(table, "{\f0\fs20 21}") And InStr(table, "{\f0\fs20 21}") < InStr(table, "{\f0\fs20 12}")

' Widths, shading and sides.
Dim w(3, 1)
Set w(1, 1) = Make("cCell"): w(1, 1).Width = 1000: w(1, 1).BackColorIndex = 0
Set w(2, 1) = Make("cCell"): w(2, 1).Width = 2000: w(2, 1).BackColorIndex = 5
Set w(3, 1) = Make("cCell"): w(3, 1).Width = 500
w(3, 1).Border.TopVisible = False
w(3, 1).Border.LeftWidth = 0
CheckTrue "widths add up, shading and a hidden side", InStr(TableOf(w), Sides & "\clcbpat0\cellx1000" & vbCrLf & Sides & "\clcbpat5\cellx3000" & vbCrLf & _
    "\clbrdrt\brdrnone\clbrdrb\brdrs\brdrw20 \clbrdrl\brdrs\brdrw0 \clbrdrr\brdrs\brdrw20 \cellx3500" & vbCrLf) > 0

' One cell in two places, and a cell's shared border.
Dim shared, s(2, 1)
Set shared = CellOf("S")
Set s(1, 1) = shared
Set s(2, 1) = shared
CheckTrue "the same cell in two places", InStr(TableOf(s), EndedByCell("S") & "\cell" & vbCrLf & "\pard\plain\intbl" & EndedByCell("S") & "\cell\row") > 0

' An array handed over by value: the result of a function.
Function Grid1x1()
    Dim g(1, 1)
    Set g(1, 1) = Make("cCell")
    Grid1x1 = g
End Function
Dim page
Set page = Make("cPage")
Check "an array returned by a function", page.InsertTable(Grid1x1()), True

' Tables between paragraphs keep the document balanced.
Set page = Make("cPage")
page.InsertParagraph ParagraphOf("before")
page.InsertTable grid
page.InsertParagraph ParagraphOf("after")
doc.InsertPage page
Dim depth, i, ch, rtf
rtf = Replace(Replace(Replace(doc.Rtf, "\\", ""), "\{", ""), "\}", "")
depth = 0
For i = 1 To Len(rtf)
    ch = Mid(rtf, i, 1)
    If ch = "{" Then depth = depth + 1
    If ch = "}" Then depth = depth - 1
    If depth < 0 Then Exit For
Next
Check "a document with a table is balanced", depth, 0

' Refusals and failures.
Dim noColumns, noRows
ReDim noColumns(0, 3)
ReDim noRows(2, 0)
Check "no columns", TableOf(noColumns), "(False)"
Check "no rows", TableOf(noRows), "(False)"
Dim onlyZero(0, 0)
onlyZero(0, 0) = "not a cell"
Check "an array of index 0 alone, whatever it holds", TableOf(onlyZero), "(False)"

Dim before, bad(2, 2), flat, cube(1, 1, 1), wide, result
Set page = Make("cPage")
page.InsertParagraph ParagraphOf("before")
before = PageContent(page)
Set bad(1, 1) = CellOf("a"): Set bad(2, 1) = CellOf("b"): Set bad(1, 2) = CellOf("c")
flat = Array(Make("cCell"), Make("cCell"))
On Error Resume Next
result = page.InsertTable(bad)
CheckVelloranErr "a missing cell after a complete row", 91, "Object variable or With block variable not set"
Set bad(2, 2) = CellOf("d")
Set bad(2, 2).Border = Nothing
result = page.InsertTable(bad)
CheckErr "a cell without border", 91
Set bad(2, 2) = Nothing
result = page.InsertTable(bad)
CheckErr "a cell set to Nothing", 91
bad(2, 2) = 42
result = page.InsertTable(bad)
CheckErr "a number for a cell", 13
Set bad(2, 2) = Make("cParagraph")
result = page.InsertTable(bad)
CheckErr "a paragraph for a cell", 13
result = page.InsertTable(flat)
CheckVelloranErr "a one-dimensional array", 9, "Subscript out of range"
Set cube(1, 1, 1) = Make("cCell")
result = page.InsertTable(cube)
CheckErr "a three-dimensional array", 9
result = page.InsertTable(Make("cCell"))
CheckErr "a cell instead of an array", 13
result = page.InsertTable(Nothing)
CheckErr "Nothing instead of an array", 13
result = page.InsertTable()
CheckErr "no argument", 450
Set w(2, 1).Border = Make("cBorder")
w(2, 1).Border.TopVisible = True
w(2, 1).Border.TopWidth = 32768
result = page.InsertTable(w)
CheckVelloranErr "a border width beyond 16 bits", 6, "Overflow"
w(2, 1).Border.TopWidth = 20
w(2, 1).Width = 2147483647
result = page.InsertTable(w)
CheckErr "a row wider than a Long", 6
ReDim wide(32768, 1)
result = page.InsertTable(wide)
CheckErr "more than 32767 columns", 6
On Error GoTo 0
Check "failures leave the page unchanged", PageContent(page), before
w(2, 1).Width = 1
Check "the page takes a table after the failures", page.InsertTable(w), True
CheckTrue "appended after the old content", Left(PageContent(page), Len(before)) = before


' A table from values: a 2-D array of Variants, rows first, as Excel's
' Range.Value gives it; here from 0, which counts like any other start.
Dim values(2, 1), valuesPage
values(0, 0) = "Arm" : values(0, 1) = "Mean"
values(1, 0) = "A" : values(1, 1) = 1.25
values(2, 0) = "B"
Set valuesPage = Make("cPage")
valuesPage.TableHeaderRows = 1
valuesPage.AddTableColumn 0
valuesPage.AddTableColumn 0, 3, 1
Check "rows of values", valuesPage.InsertRows(values), True
CheckTrue "a number on the decimal stop with its decimals", InStr(PageContent(valuesPage), "\pard\intbl\tqdec\tx2124 1.3\cell") > 0
CheckTrue "Empty is an empty cell", InStr(PageContent(valuesPage), "\pard\intbl B\cell" & vbCrLf & "\pard\intbl\tqdec\tx2124\cell\row") > 0
before = PageContent(valuesPage)
On Error Resume Next
values(2, 1) = Now
result = valuesPage.InsertRows(values)
CheckVelloranErr "a date among the values", 5, "Invalid procedure call or argument"
result = valuesPage.InsertRows(a)
CheckVelloranErr "an array of cells", 5, "Invalid procedure call or argument"
On Error GoTo 0
Check "refused rows leave the page unchanged", PageContent(valuesPage), before

Finish
