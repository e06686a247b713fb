"""What 1.2 adds: "Page X of Y" and the date as fields, a link, a footnote,
bulleted and numbered lists, a table with a header row and merged cells, a
photograph kept as its PNG file, and a landscape page in a portrait
document."""
import velloran
from velloran import (aCenter, eOriginal, fDate, fNone, fPageCount, fPageNumber, lBullet, lNumber,
                      oLandscape)


def run(words, field=fNone):
    """A run of text, or a field showing the text until the reader computes it."""
    r = velloran.cText()
    r.Text = words
    r.Field = field
    return r


def paragraph(words):
    p = velloran.cParagraph()
    p.InsertText(run(words))
    return p


def item(words, style, level):
    """A list item of the given kind and level."""
    p = paragraph(words)
    p.ListStyle = style
    p.ListLevel = level
    return p


def cell(words, width):
    c = velloran.cCell()
    c.Width = width
    c.InsertParagraph(paragraph(words))
    return c


doc = velloran.cDocument()
footer = velloran.cParagraph()
footer.Align = aCenter
footer.InsertText(run("Page "))
footer.InsertText(run("1", fPageNumber))
footer.InsertText(run(" of "))
footer.InsertText(run("2", fPageCount))
doc.Footer = footer

page = velloran.cPage()
intro = paragraph("Made with ")
link = run("Velloran")
link.Link = "https://example.org/velloran"
link.Underline = True
intro.InsertText(link)
intro.InsertFootnote(paragraph("Any RTF reader shows this note at the foot of the page."))
intro.InsertText(run(" on "))
intro.InsertText(run("today", fDate))
intro.InsertText(run("."))
page.InsertParagraph(intro)

page.InsertParagraph(item("Fruit", lBullet, 0))
page.InsertParagraph(item("Apples", lBullet, 1))
page.InsertParagraph(item("Pears", lBullet, 1))
page.InsertParagraph(item("Unpack the box", lNumber, 0))
page.InsertParagraph(item("Count what is in it", lNumber, 0))

# Three columns; the heading spans them all and repeats on every page, and
# "Apples" stands beside two rows. The places the merged cells cover are None.
heading = cell("Prices", 6000)
heading.ColumnSpan = 3
apples = cell("Apples", 2000)
apples.RowSpan = 2
rows = [[heading, None, None],
        [apples, cell("red", 2000), cell("0.40", 2000)],
        [None, cell("green", 2000), cell("0.35", 2000)]]
page.TableHeaderRows = 1
page.InsertTable(rows)

picture = velloran.cPicture()
picture.File = "wheel.png"
picture.Embedding = eOriginal              # the PNG itself, not a metafile
holder = velloran.cParagraph()
holder.SpaceBefore = 120
holder.InsertPicture(picture)
page.InsertParagraph(holder)
doc.InsertPage(page)

wide = velloran.cPage()
wide.Orientation = oLandscape
wide.InsertParagraph(paragraph("This page lies on its side."))
doc.InsertPage(wide)
if not doc.Save("features.rtf"):
    raise SystemExit("not saved")
