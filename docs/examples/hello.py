"""A document of one page holding one paragraph of one run."""
import velloran
from velloran import aCenter

doc = velloran.cDocument()
doc.Title = "Greetings"

run = velloran.cText()
run.FontIndex = doc.FontIndex("Times New Roman")
run.ForeColorIndex = doc.ColorIndex(0x0000FF)  # red: red is the lowest byte
run.Height = 16                                # points
run.Bold = True
run.Text = "Hello, world"

para = velloran.cParagraph()
para.Align = aCenter
para.InsertText(run)

page = velloran.cPage()
page.InsertParagraph(para)
doc.InsertPage(page)

if not doc.Save("hello.rtf"):
    raise SystemExit("not saved")
