' Page set-up, document information, the default font and page numbering.
Set doc = CreateObject("Velloran.cDocument")
doc.Title = "Quarterly report"
doc.Subject = "Sales"
doc.Author = "Ada Lovelace"
doc.PageWidth = 12240                  ' US Letter, 8.5 x 11 inches, in twips
doc.PageHeight = 15840
doc.PageMarginLeft = 1134              ' 2 cm
doc.PageMarginRight = 1134
doc.FontDefaultName = "Georgia"        ' font index 0
doc.FontDefaultHeight = 12             ' points
doc.PageNumbersOn = True

For n = 1 To 2
    Set run = CreateObject("Velloran.cText")
    run.Height = 0                     ' no size of its own: the default's 12 points
    run.Text = "Page " & n & " of the report, in Georgia."
    Set para = CreateObject("Velloran.cParagraph")
    para.InsertText run
    Set page = CreateObject("Velloran.cPage")
    page.InsertParagraph para
    doc.InsertPage page
Next
' doc.LastPage is 2; doc.Rtf would give the same text as a string.
If Not doc.Save("document.rtf") Then WScript.Echo "not saved"
