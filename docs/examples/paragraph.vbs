' Paragraphs: alignment, indents and spacing, in twips.
Function RunOf(text, bold)
    Set RunOf = CreateObject("Velloran.cText")
    RunOf.Height = 12
    RunOf.Bold = bold
    RunOf.Text = text
End Function

words = "Velloran writes Rich Text Format documents from code. " & _
        "Every insert takes the child as it is at the call. "
Set page = CreateObject("Velloran.cPage")

Set heading = CreateObject("Velloran.cParagraph")
heading.Align = 2                      ' aCenter
heading.SpaceAfter = 240               ' 12 points below
heading.InsertText RunOf("A centred heading", True)
page.InsertParagraph heading

Set body = CreateObject("Velloran.cParagraph")
body.Align = 3                         ' aJustified
body.IndentFirstLine = 567             ' 1 cm
body.SpaceBetweenLines = 360           ' at least 18 points a line
body.InsertText RunOf(words & words & words, False)
page.InsertParagraph body

Set quote = CreateObject("Velloran.cParagraph")
quote.Align = 1                        ' aRight
quote.IndentLeft = 1440                ' one inch in from each side
quote.IndentRight = 1440
quote.SpaceBefore = 240
quote.InsertText RunOf(words, False)
page.InsertParagraph quote

Set doc = CreateObject("Velloran.cDocument")
doc.InsertPage page
If Not doc.Save("paragraph.rtf") Then WScript.Echo "not saved"
