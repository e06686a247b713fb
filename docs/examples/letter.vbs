' A whole letter: a letterhead as the page header, page numbers, the
' address, a table of the items, a picture, and a line to sign on.
Const aLeft = 0, aRight = 1, aJustified = 3

' A run of text in one style.
Function Text(words, points, bold)
    Dim run
    Set run = CreateObject("Velloran.cText")
    run.Height = points
    run.Bold = bold
    run.Text = words
    Set Text = run
End Function

' A paragraph of one run.
Function Paragraph(run, align, spaceAfter)
    Dim para
    Set para = CreateObject("Velloran.cParagraph")
    para.Align = align
    para.SpaceAfter = spaceAfter
    para.InsertText run
    Set Paragraph = para
End Function

' A cell of the items table.
Function Cell(words, width, align, heading, shade)
    Dim c
    Set c = CreateObject("Velloran.cCell")
    c.Width = width
    If heading Then c.BackColorIndex = shade
    c.InsertParagraph Paragraph(Text(words, 10, heading), align, 0)
    Set Cell = c
End Function

' 1. The document: its information, its font, page numbers.
Set doc = CreateObject("Velloran.cDocument")
doc.Title = "Order 1042"
doc.Author = "Harbour Lane Stationers"
doc.FontDefaultName = "Liberation Serif"
doc.PageNumbersOn = True
navy = doc.ColorIndex(RGB(&H00, &H30, &H60))
shade = doc.ColorIndex(RGB(&HEE, &HEE, &HEE))

' 2. The letterhead, repeated at the top of every page, ruled below.
Set name = Text("Harbour Lane Stationers", 16, True)
name.ForeColorIndex = navy
Set letterhead = Paragraph(name, aLeft, 0)
letterhead.InsertText Text("   12 Harbour Lane, Porthmoor", 9, False)
letterhead.Border.BottomVisible = True
Set doc.Header = letterhead

' 3. The address, the date and the opening.
Set page = CreateObject("Velloran.cPage")
For Each line In Array("Ms Ada Example", "4 Quay Street", "Porthmoor PM1 2AB")
    page.InsertParagraph Paragraph(Text(line, 11, False), aLeft, 0)
Next
page.InsertParagraph Paragraph(Text("8 December 2026", 11, False), aRight, 240)
page.InsertParagraph Paragraph(Text("Dear Ms Example,", 11, False), aLeft, 120)
page.InsertParagraph Paragraph(Text("Thank you for your order. We are pleased to send you the following " & _
                                    "items, which leave our shop today:", 11, False), aJustified, 120)

' 4. The items: a table with a shaded heading row and a total.
items = Array(Array("Item", "Quantity", "Price"), _
              Array("Fountain pen, navy", "1", "24.00"), _
              Array("Writing paper, 100 sheets", "2", "13.00"), _
              Array("Total", "", "37.00"))
Dim cells(3, 4)                        ' index 0 is not used: columns 1 to 3, rows 1 to 4
For row = 1 To 4
    Set cells(1, row) = Cell(items(row - 1)(0), 4200, aLeft, row = 1, shade)
    Set cells(2, row) = Cell(items(row - 1)(1), 1500, aRight, row = 1, shade)
    Set cells(3, row) = Cell(items(row - 1)(2), 1500, aRight, row = 1 Or row = 4, shade)
Next
page.InsertTable cells

' 5. A picture of the pen's colours, then the closing.
Set pictured = Paragraph(Text("Our colour card: ", 11, False), aLeft, 240)
pictured.SpaceBefore = 240
Set card = CreateObject("Velloran.cPicture")
card.File = "wheel.png"
card.ScaleFactor = 0.5
pictured.InsertPicture card
page.InsertParagraph pictured
page.InsertParagraph Paragraph(Text("Yours sincerely,", 11, False), aLeft, 720)

' 6. A line to sign on: a drawing of one line, and the name beneath it.
Set rule = CreateObject("Velloran.cLine")
rule.x2 = 3000
Set signature = CreateObject("Velloran.cDrawing")
signature.InsertLine rule
Set signLine = CreateObject("Velloran.cParagraph")
signLine.InsertDrawing signature
signLine.InsertText Text("Tom Penrose, for Harbour Lane Stationers", 10, False)
page.InsertParagraph signLine

doc.InsertPage page
If Not doc.Save("letter.rtf") Then WScript.Echo "not saved"
