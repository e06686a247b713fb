' What 1.2 adds: "Page X of Y" and the date as fields, a link, a footnote,
' bulleted and numbered lists, a table with a header row and merged cells, a
' photograph kept as its PNG file, and a landscape page in a portrait
' document. VBScript knows no enumerations: their members go by number.
Function Run(words, field)             ' field: 0 none, 1 page number, 2 page count, 3 date
    Set Run = CreateObject("Velloran.cText")
    Run.Text = words
    Run.Field = field
End Function

Function Paragraph(words)
    Set Paragraph = CreateObject("Velloran.cParagraph")
    Paragraph.InsertText Run(words, 0)
End Function

Function Item(words, style, level)     ' style: 1 bullets, 2 numbers
    Set Item = Paragraph(words)
    Item.ListStyle = style
    Item.ListLevel = level
End Function

Function Cell(words, width)
    Set Cell = CreateObject("Velloran.cCell")
    Cell.Width = width
    Cell.InsertParagraph Paragraph(words)
End Function

Set doc = CreateObject("Velloran.cDocument")
Set footer = CreateObject("Velloran.cParagraph")
footer.Align = 2                       ' aCenter
footer.InsertText Run("Page ", 0)
footer.InsertText Run("1", 1)
footer.InsertText Run(" of ", 0)
footer.InsertText Run("2", 2)
Set doc.Footer = footer

Set page = CreateObject("Velloran.cPage")
Set intro = Paragraph("Made with ")
Set link = Run("Velloran", 0)
link.Link = "https://example.org/velloran"
link.Underline = True
intro.InsertText link
intro.InsertFootnote Paragraph("Any RTF reader shows this note at the foot of the page.")
intro.InsertText Run(" on ", 0)
intro.InsertText Run("today", 3)
intro.InsertText Run(".", 0)
page.InsertParagraph intro

page.InsertParagraph Item("Fruit", 1, 0)
page.InsertParagraph Item("Apples", 1, 1)
page.InsertParagraph Item("Pears", 1, 1)
page.InsertParagraph Item("Unpack the box", 2, 0)
page.InsertParagraph Item("Count what is in it", 2, 0)

' Three columns; the heading spans them all and repeats on every page, and
' "Apples" stands beside two rows. The places the merged cells cover stay empty.
Dim cells(3, 3)
Set cells(1, 1) = Cell("Prices", 6000)
cells(1, 1).ColumnSpan = 3
Set cells(1, 2) = Cell("Apples", 2000)
cells(1, 2).RowSpan = 2
Set cells(2, 2) = Cell("red", 2000)
Set cells(3, 2) = Cell("0.40", 2000)
Set cells(2, 3) = Cell("green", 2000)
Set cells(3, 3) = Cell("0.35", 2000)
page.TableHeaderRows = 1
page.InsertTable cells

Set picture = CreateObject("Velloran.cPicture")
picture.File = "wheel.png"
picture.Embedding = 1                  ' eOriginal: the PNG itself, not a metafile
Set holder = CreateObject("Velloran.cParagraph")
holder.SpaceBefore = 120
holder.InsertPicture picture
page.InsertParagraph holder
doc.InsertPage page

Set wide = CreateObject("Velloran.cPage")
wide.Orientation = 2                   ' oLandscape
wide.InsertParagraph Paragraph("This page lies on its side.")
doc.InsertPage wide
If Not doc.Save("features.rtf") Then WScript.Echo "not saved"
