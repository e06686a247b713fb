' Borders: a rule under a heading, and a coloured double frame.
Set doc = CreateObject("Velloran.cDocument")  ' first: it sets the black index borders start with
Set page = CreateObject("Velloran.cPage")
Set run = CreateObject("Velloran.cText")
run.Height = 14

Set heading = CreateObject("Velloran.cParagraph")
heading.Border.BottomVisible = True    ' the paragraph's own cBorder
heading.Border.BottomWidth = 30        ' twips
run.Text = "A heading with a rule"
heading.InsertText run
page.InsertParagraph heading

Set frame = CreateObject("Velloran.cBorder")
frame.TopVisible = True
frame.BottomVisible = True
frame.LeftVisible = True
frame.RightVisible = True
frame.BorderType = 2                   ' bDouble
frame.BorderColorIndex = doc.ColorIndex(RGB(&H33, &H66, &H99))  ' blue-grey
Set boxed = CreateObject("Velloran.cParagraph")
Set boxed.Border = frame               ' held by reference, read when the page takes it
boxed.SpaceBefore = 240
run.Text = "A paragraph in a double frame"
boxed.InsertText run
page.InsertParagraph boxed

doc.InsertPage page
If Not doc.Save("border.rtf") Then WScript.Echo "not saved"
