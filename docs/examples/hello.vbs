' A document of one page holding one paragraph of one run.
Set doc = CreateObject("Velloran.cDocument")
doc.Title = "Greetings"

Set run = CreateObject("Velloran.cText")
run.FontIndex = doc.FontIndex("Times New Roman")
run.ForeColorIndex = doc.ColorIndex(RGB(255, 0, 0))
run.Height = 16                 ' points
run.Bold = True
run.Text = "Hello, world"

Set para = CreateObject("Velloran.cParagraph")
para.Align = 2                  ' aCenter
para.InsertText run

Set page = CreateObject("Velloran.cPage")
page.InsertParagraph para
doc.InsertPage page

If Not doc.Save("hello.rtf") Then WScript.Echo "not saved"
