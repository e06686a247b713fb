' A report: a contents page, headings at three levels, a running header
' with the page of pages at the right margin, numbers aligned on their
' decimal points, a bookmark and a link back to it.
Set doc = CreateObject("Velloran.cDocument")
doc.Title = "Quarterly report"
textWidth = doc.PageWidth - doc.PageMarginLeft - doc.PageMarginRight
headings = Array(doc.StyleIndex("heading 1"), doc.StyleIndex("heading 2"), doc.StyleIndex("heading 3"))

Function Run(text)
    Set Run = CreateObject("Velloran.cText")
    Run.Text = text
End Function

Function Paragraph(text)
    Set Paragraph = CreateObject("Velloran.cParagraph")
    Paragraph.SpaceAfter = 120
    Paragraph.InsertText Run(text)
End Function

' A heading: its style, its level in the outline, kept with what follows.
Function Heading(level, text, bookmark)
    Set t = Run(text)
    t.Bold = True
    t.Height = 18 - 2 * level
    t.Bookmark = bookmark
    Set Heading = CreateObject("Velloran.cParagraph")
    Heading.StyleIndex = headings(level - 1)
    Heading.OutlineLevel = level
    Heading.KeepWithNext = True
    Heading.SpaceBefore = 240
    Heading.SpaceAfter = 120
    Heading.InsertText t
End Function

' The header: the title at the left, "Page X of Y" ending at the right margin.
Set header = CreateObject("Velloran.cParagraph")
header.AddTabStop textWidth, 2, 0     ' tRight, tlNone
header.Border.BottomVisible = True
header.InsertText Run("Quarterly report" & vbTab & "Page ")
Set number = Run("1")
number.Field = 1                      ' fPageNumber
header.InsertText number
header.InsertText Run(" of ")
Set count = Run("1")
count.Field = 2                       ' fPageCount
header.InsertText count
Set doc.Header = header

' The contents page: the headings are listed; readers add their pages when they update fields.
Set contents = CreateObject("Velloran.cPage")
Set title = Run("Contents")
title.Bold = True
title.Height = 20
Set titleParagraph = CreateObject("Velloran.cParagraph")
titleParagraph.SpaceAfter = 240
titleParagraph.InsertText title
contents.InsertParagraph titleParagraph
Set table = Run("Update the fields to show the contents.")
table.ContentsLevels = 3
Set tableParagraph = CreateObject("Velloran.cParagraph")
tableParagraph.InsertText table
contents.InsertParagraph tableParagraph
doc.InsertPage contents

Set body = CreateObject("Velloran.cPage")
body.InsertParagraph Heading(1, "1 Results", "results")
Set growth = Paragraph("Revenue grew by 12 %")
Set marker = Run("a")
marker.VerticalPosition = 1           ' vSuperscript
growth.InsertText marker
growth.InsertText Run(" while emissions of CO")
Set two = Run("2")
two.VerticalPosition = 2              ' vSubscript
growth.InsertText two
growth.InsertText Run(" fell.")
body.InsertParagraph growth

body.InsertParagraph Heading(2, "1.1 Sales by region", "")
' A decimal stop with dot leaders lines the numbers up on their points.
For Each line In Array("North" & vbTab & "1,234.50", "South" & vbTab & "98.25", _
                       "East" & vbTab & "12.00", "West" & vbTab & "7,050.75")
    Set row = Paragraph(line)
    row.SpaceAfter = 0
    row.AddTabStop 6000, 3, 1         ' tDecimal, tlDots
    body.InsertParagraph row
Next
Set note = Paragraph("")
note.SpaceBefore = 120
note.InsertText marker
note.InsertText Run(" Compared with the third quarter.")
body.InsertParagraph note

body.InsertParagraph Heading(3, "1.1.1 Method", "")
Set method = Paragraph("Submissions are double-spaced: ")
method.LineSpacingMultiple = 2
Set names = Run("regional offices")
names.SmallCaps = True
method.InsertText names
method.InsertText Run(" report their figures each month, and the ")
Set marked = Run("audited")
marked.HighlightColorIndex = doc.ColorIndex(RGB(255, 255, 0))  ' yellow
method.InsertText marked
method.InsertText Run(" totals are final.")
body.InsertParagraph method

Set outlook = Heading(1, "2 Outlook", "")
outlook.PageBreakBefore = True
body.InsertParagraph outlook
Set plans = Paragraph("The plans build on the results")
Set dash = Run("")
dash.RawRtf = "\emdash "              ' RTF of the host's own
plans.InsertText dash
Set back = Run("see Results")
back.LinkToBookmark = "results"
back.ForeColorIndex = doc.ColorIndex(RGB(0, 0, 192))
back.Underline = True
plans.InsertText back
plans.InsertText Run(".")
body.InsertParagraph plans
doc.InsertPage body
If Not doc.Save("report.rtf") Then WScript.Echo "not saved"
