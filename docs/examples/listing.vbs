' A clinical listing: a cover page without the running header, then a
' landscape table of 160 rows under a logo and a two-line header, with its
' column header repeated on every page; then a second document, a figure
' in portrait with a header of its own, assembled as a section.
Function Paragraph(text, bold)
    Dim run, p
    Set run = CreateObject("Velloran.cText")
    run.Text = text
    run.Bold = bold
    Set p = CreateObject("Velloran.cParagraph")
    p.InsertText run
    Set Paragraph = p
End Function

Function Cell(text, percent, bold)
    Dim c
    Set c = CreateObject("Velloran.cCell")
    c.WidthPercent = percent
    c.PaddingLeft = 60: c.PaddingRight = 60
    c.PaddingTop = 20: c.PaddingBottom = 20
    c.InsertParagraph Paragraph(text, bold)
    Set Cell = c
End Function

Set doc = CreateObject("Velloran.cDocument")
doc.Title = "Listing 14.3.1"
doc.PageLandscape = True
doc.PageNumbersOn = True

' The running header: the logo beside two lines, in a table of its own.
Set logo = CreateObject("Velloran.cPicture")
logo.File = "wheel.png"
logo.Width = 1200: logo.Height = 800
Set logoParagraph = CreateObject("Velloran.cParagraph")
logoParagraph.InsertPicture logo
Dim headerCells(2, 1)
Set headerCells(1, 1) = CreateObject("Velloran.cCell")
headerCells(1, 1).Width = 1200
headerCells(1, 1).InsertParagraph logoParagraph
Set headerCells(2, 1) = CreateObject("Velloran.cCell")
headerCells(2, 1).Width = 8000
headerCells(2, 1).VerticalAlignment = 1  ' vaCenter
headerCells(2, 1).InsertParagraph Paragraph("Study VLR-301", True)
headerCells(2, 1).InsertParagraph Paragraph("Listing 14.3.1: adverse events by subject", False)
Set header = CreateObject("Velloran.cPage")
header.InsertTable headerCells
Set doc.PageHeader = header
Set doc.FirstPageHeader = CreateObject("Velloran.cPage")  ' the cover has none
Set even = CreateObject("Velloran.cPage")
even.InsertParagraph Paragraph("Confidential: for the study team only", False)
Set doc.EvenPageFooter = even

Set cover = CreateObject("Velloran.cPage")
Set title = CreateObject("Velloran.cText")
title.Text = "Study VLR-301: listings"
title.Bold = True
title.Height = 24
Set titleParagraph = CreateObject("Velloran.cParagraph")
titleParagraph.Align = 2  ' aCenter
titleParagraph.SpaceBefore = 3000
titleParagraph.InsertText title
cover.InsertParagraph titleParagraph
doc.InsertPage cover

' The table: two header rows at the bottom of their cells, written again
' at the top of every page with 27 rows under them and "(continued)" at the
' foot; columns as shares of the text width; rows kept whole.
widths = Array(12, 14, 34, 14, 13, 13)
groups = Array("Subject", "", "Adverse event", "", "Onset", "")
names = Array("ID", "Arm", "Preferred term", "Severity", "Day", "Outcome")
terms = Array("Headache", "Nausea", "Fatigue", "Dizziness", "Rash")
severities = Array("Mild", "Moderate", "Severe")
rows = 2 + 160
Dim cells(6, 162)                      ' columns and rows from 1: index 0 is not used
For c = 1 To 6
    Set cells(c, 1) = Cell(groups(c - 1), widths(c - 1), True)
    Set cells(c, 2) = Cell(names(c - 1), widths(c - 1), True)
    cells(c, 1).VerticalAlignment = 2  ' vaBottom
    cells(c, 2).VerticalAlignment = 2
Next
For r = 3 To rows
    n = r - 3
    arm = "Active": If n Mod 3 = 0 Then arm = "Placebo"
    outcome = "Resolved": If n Mod 4 = 0 Then outcome = "Ongoing"
    values = Array("1" & (1001 + n \ 2), arm, terms(n Mod 5), severities(n Mod 3), CStr(1 + (n * 7) Mod 84), outcome)
    For c = 1 To 6
        Set cells(c, r) = Cell(values(c - 1), widths(c - 1), False)
    Next
Next
Set table = CreateObject("Velloran.cPage")
table.TableHeaderRows = 2
table.TableAlign = 2  ' aCenter
table.TableKeepRowsTogether = True
table.TablePaginate = True
table.TableRowsPerPage = 29
table.TableContinuedText = "(continued)"
' Landscape turns the portrait sheet with its margins: its width is the
' portrait height, its side margins the portrait top and bottom ones.
table.TableWidth = doc.PageHeight - doc.PageMarginTop - doc.PageMarginBottom
table.InsertTable cells
doc.InsertPage table

' The figure: a document of its own, in portrait, with its own header.
Set figure = CreateObject("Velloran.cDocument")
Set figureHeader = CreateObject("Velloran.cPage")
figureHeader.InsertParagraph Paragraph("Figure 14.3.2: relative risk by subgroup", False)
Set figure.PageHeader = figureHeader
Set plot = CreateObject("Velloran.cPicture")
plot.File = "forest.emf"  ' a vector figure, kept as it is
Set plotParagraph = CreateObject("Velloran.cParagraph")
plotParagraph.Align = 2
plotParagraph.InsertPicture plot
Set figurePage = CreateObject("Velloran.cPage")
figurePage.InsertParagraph Paragraph("Estimates with their 95 % confidence intervals.", False)
figurePage.InsertParagraph plotParagraph
figure.InsertPage figurePage
doc.InsertDocument figure
If Not doc.Save("listing.rtf") Then WScript.Echo "not saved"
