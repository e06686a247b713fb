' A header and a footer on every page. The document holds the two paragraphs
' by reference and renders them at every Rtf and Save.
Set doc = CreateObject("Velloran.cDocument")
Set run = CreateObject("Velloran.cText")
run.Height = 9
run.ForeColorIndex = doc.ColorIndex(RGB(128, 128, 128))  ' grey

Set header = CreateObject("Velloran.cParagraph")
run.Text = "Velloran manual"
header.InsertText run
header.Border.BottomVisible = True
Set doc.Header = header

Set footer = CreateObject("Velloran.cParagraph")
footer.Align = 2                       ' aCenter
run.Text = "Printed by the examples of docs/"
footer.InsertText run
Set doc.Footer = footer
header.Align = 1                       ' aRight; still counts: read at Save

For n = 1 To 2
    Set body = CreateObject("Velloran.cText")
    body.Text = "The text of page " & n & "."
    Set para = CreateObject("Velloran.cParagraph")
    para.InsertText body
    Set page = CreateObject("Velloran.cPage")
    page.InsertParagraph para
    doc.InsertPage page
Next
If Not doc.Save("header.rtf") Then WScript.Echo "not saved"
