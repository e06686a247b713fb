"""Paragraphs: alignment, indents and spacing, in twips."""
import velloran
from velloran import aCenter, aJustified, aRight


def run_of(text, bold=False):
    run = velloran.cText()
    run.Height = 12
    run.Bold = bold
    run.Text = text
    return run


words = ("Velloran writes Rich Text Format documents from code. "
         "Every insert takes the child as it is at the call. ")
page = velloran.cPage()

heading = velloran.cParagraph()
heading.Align = aCenter
heading.SpaceAfter = 240               # 12 points below
heading.InsertText(run_of("A centred heading", True))
page.InsertParagraph(heading)

body = velloran.cParagraph()
body.Align = aJustified
body.IndentFirstLine = 567             # 1 cm
body.SpaceBetweenLines = 360           # at least 18 points a line
body.InsertText(run_of(words * 3))
page.InsertParagraph(body)

quote = velloran.cParagraph()
quote.Align = aRight
quote.IndentLeft = 1440                # one inch in from each side
quote.IndentRight = 1440
quote.SpaceBefore = 240
quote.InsertText(run_of(words))
page.InsertParagraph(quote)

doc = velloran.cDocument()
doc.InsertPage(page)
if not doc.Save("paragraph.rtf"):
    raise SystemExit("not saved")
