"""A whole letter: a letterhead as the page header, page numbers, the
address, a table of the items, a picture, and a line to sign on."""
import velloran
from velloran import aJustified, aLeft, aRight


def text(words, points=11, bold=False):
    """A run of text in one style."""
    run = velloran.cText()
    run.Height = points
    run.Bold = bold
    run.Text = words
    return run


def paragraph(run, align=aLeft, space_after=0):
    """A paragraph of one run."""
    para = velloran.cParagraph()
    para.Align = align
    para.SpaceAfter = space_after
    para.InsertText(run)
    return para


def cell(words, width, align, heading, shade):
    """A cell of the items table."""
    c = velloran.cCell()
    c.Width = width
    if heading:
        c.BackColorIndex = shade
    c.InsertParagraph(paragraph(text(words, 10, heading), align))
    return c


# 1. The document: its information, its font, page numbers.
doc = velloran.cDocument()
doc.Title = "Order 1042"
doc.Author = "Harbour Lane Stationers"
doc.FontDefaultName = "Liberation Serif"
doc.PageNumbersOn = True
navy = doc.ColorIndex(0x603000)        # red in the lowest byte
shade = doc.ColorIndex(0xEEEEEE)

# 2. The letterhead, repeated at the top of every page, ruled below.
name = text("Harbour Lane Stationers", 16, True)
name.ForeColorIndex = navy
letterhead = paragraph(name)
letterhead.InsertText(text("   12 Harbour Lane, Porthmoor", 9))
letterhead.Border.BottomVisible = True
doc.Header = letterhead

# 3. The address, the date and the opening.
page = velloran.cPage()
for line in ("Ms Ada Example", "4 Quay Street", "Porthmoor PM1 2AB"):
    page.InsertParagraph(paragraph(text(line)))
page.InsertParagraph(paragraph(text("8 December 2026"), aRight, 240))
page.InsertParagraph(paragraph(text("Dear Ms Example,"), aLeft, 120))
page.InsertParagraph(paragraph(text("Thank you for your order. We are pleased to send you the following "
                                    "items, which leave our shop today:"), aJustified, 120))

# 4. The items: a table with a shaded heading row and a total.
items = [("Item", "Quantity", "Price"),
         ("Fountain pen, navy", "1", "24.00"),
         ("Writing paper, 100 sheets", "2", "13.00"),
         ("Total", "", "37.00")]
rows = [[cell(item, 4200, aLeft, r == 0, shade),
         cell(quantity, 1500, aRight, r == 0, shade),
         cell(price, 1500, aRight, r in (0, 3), shade)] for r, (item, quantity, price) in enumerate(items)]
page.InsertTable(rows)                 # a list of rows: columns 1..3, rows 1..4

# 5. A picture of the pen's colours, then the closing.
pictured = paragraph(text("Our colour card: "), aLeft, 240)
pictured.SpaceBefore = 240
card = velloran.cPicture()
card.File = "wheel.png"
card.ScaleFactor = 0.5
pictured.InsertPicture(card)
page.InsertParagraph(pictured)
page.InsertParagraph(paragraph(text("Yours sincerely,"), aLeft, 720))

# 6. A line to sign on: a drawing of one line, and the name beneath it.
rule = velloran.cLine()
rule.x2 = 3000
signature = velloran.cDrawing()
signature.InsertLine(rule)
sign_line = velloran.cParagraph()
sign_line.InsertDrawing(signature)
sign_line.InsertText(text("Tom Penrose, for Harbour Lane Stationers", 10))
page.InsertParagraph(sign_line)

doc.InsertPage(page)
if not doc.Save("letter.rtf"):
    raise SystemExit("not saved")
