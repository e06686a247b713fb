' A demographics table as a clinical study report's Table 14.1.1 shows it:
' titles and the population in the page header with "Page X of Y" at the
' top right, "Treatment" over the two arms beside the total, the numbers on
' their decimal points between the rules of a report table, footnotes
' under it and the program's name in the footer; Courier New at 9 points on
' landscape letter paper.
Function Run(text, field)
    Dim t
    Set t = CreateObject("Velloran.cText")
    t.Text = text
    t.Field = field
    Set Run = t
End Function

Function Paragraph(text, align)
    Dim p
    Set p = CreateObject("Velloran.cParagraph")
    p.Align = align
    p.InsertText Run(text, 0)
    Set Paragraph = p
End Function

Set doc = CreateObject("Velloran.cDocument")
doc.Title = "Table 14.1.1"
doc.PageWidth = 12240: doc.PageHeight = 15840
doc.PageLandscape = True
doc.FontDefaultName = "Courier New"
doc.FontDefaultHeight = 9
doc.CreationTime = "2026-12-11 09:00"
' Landscape turns the portrait sheet: its text width is the portrait height
' less the top and bottom margins.
width = doc.PageHeight - doc.PageMarginTop - doc.PageMarginBottom

Set header = CreateObject("Velloran.cPage")
Set first = Paragraph("Protocol: VLR-301", 0)
first.InsertText Run(vbTab & "Page ", 0)
first.InsertText Run("1", 1)                  ' fPageNumber
first.InsertText Run(" of ", 0)
first.InsertText Run("1", 2)                  ' fPageCount
first.AddTabStop width, 2                     ' tRight
header.InsertParagraph first
For Each line In Array("Table 14.1.1", "Demographic and Baseline Characteristics", "Safety Population")
    header.InsertParagraph Paragraph(line, 2) ' aCenter
Next
Set doc.PageHeader = header
Set footer = CreateObject("Velloran.cPage")
footer.InsertParagraph Paragraph("Program: t_dm.py   Output: t_dm.rtf   Data: ADSL", 0)
Set doc.PageFooter = footer

' Rows first, as Excel's Range.Value gives them; Empty continues a header.
rows = Array( _
    Array("", "Treatment", Empty, ""), _
    Array("Characteristic", "Placebo" & vbLf & "(N=86)", "Active" & vbLf & "(N=84)", "Total" & vbLf & "(N=170)"), _
    Array("Age (years)", "", "", ""), _
    Array("  n", "86", "84", "170"), _
    Array("  Mean (SD)", "75.2 (8.59)", "74.4 (7.89)", "74.8 (8.24)"), _
    Array("  Median", 76.0, 76.0, 76.0), _
    Array("  Min - Max", "52.0 - 89.0", "51.0 - 88.0", "51.0 - 89.0"), _
    Array("Sex, n (%)", "", "", ""), _
    Array("  Female", "53 (61.6)", "50 (59.5)", "103 (60.6)"), _
    Array("  Male", "33 (38.4)", "34 (40.5)", "67 (39.4)"))
Dim values(9, 3)
For r = 0 To 9
    For c = 0 To 3
        values(r, c) = rows(r)(c)
    Next
Next
Set table = CreateObject("Velloran.cPage")
table.TableHeaderRows = 2
table.TableRules = True
table.TableFontHeight = 9
table.TableWidth = width
table.AddTableColumn 4560
For c = 1 To 3
    table.AddTableColumn 0, 3, 1              ' tDecimal, one digit after the point
Next
table.InsertRows values
table.InsertParagraph Paragraph("N: subjects in the population; n: subjects with data. Percentages are of N.", 0)
doc.InsertPage table
If Not doc.Save("tlf.rtf") Then WScript.Echo "not saved"
