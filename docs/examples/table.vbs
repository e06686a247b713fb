' A table of three columns and three rows: a shaded heading row, widths in
' twips, and a last row open at the bottom.
Set doc = CreateObject("Velloran.cDocument")
grey = doc.ColorIndex(RGB(&HDD, &HDD, &HDD))
text = Array(Array("Fruit", "Colour", "Price"), _
             Array("Apple", "red or green", "0.40"), _
             Array("Lemon", "yellow", "0.25"))
widths = Array(2000, 3500, 1500)

Dim cells(3, 3)                        ' columns 0 to 3, rows 0 to 3: index 0 is not used
For row = 1 To 3
    For column = 1 To 3
        Set run = CreateObject("Velloran.cText")
        run.Bold = (row = 1)
        run.Text = text(row - 1)(column - 1)
        Set para = CreateObject("Velloran.cParagraph")
        If column = 3 Then para.Align = 1 ' aRight
        para.InsertText run
        Set cell = CreateObject("Velloran.cCell")
        cell.Width = widths(column - 1)
        If row = 1 Then cell.BackColorIndex = grey
        If row = 3 Then cell.Border.BottomVisible = False
        cell.InsertParagraph para
        Set cells(column, row) = cell  ' the column first, then the row
    Next
Next
Set page = CreateObject("Velloran.cPage")
page.InsertTable cells
doc.InsertPage page
If Not doc.Save("table.rtf") Then WScript.Echo "not saved"
