"""A header and a footer on every page. The document holds the two paragraphs
by reference and renders them at every Rtf and Save."""
import velloran
from velloran import aCenter, aRight

doc = velloran.cDocument()
run = velloran.cText()
run.Height = 9
run.ForeColorIndex = doc.ColorIndex(0x808080)  # grey

header = velloran.cParagraph()
run.Text = "Velloran manual"
header.InsertText(run)
header.Border.BottomVisible = True
doc.Header = header

footer = velloran.cParagraph()
footer.Align = aCenter
run.Text = "Printed by the examples of docs/"
footer.InsertText(run)
doc.Footer = footer
header.Align = aRight                  # still counts: read at Save

for n in (1, 2):
    body = velloran.cText()
    body.Text = f"The text of page {n}."
    para = velloran.cParagraph()
    para.InsertText(body)
    page = velloran.cPage()
    page.InsertParagraph(para)
    doc.InsertPage(page)
if not doc.Save("header.rtf"):
    raise SystemExit("not saved")
