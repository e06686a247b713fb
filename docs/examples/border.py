"""Borders: a rule under a heading, and a coloured double frame."""
import velloran
from velloran import bDouble

doc = velloran.cDocument()             # first: it sets the black index borders start with
page = velloran.cPage()
run = velloran.cText()
run.Height = 14

heading = velloran.cParagraph()
heading.Border.BottomVisible = True    # the paragraph's own cBorder
heading.Border.BottomWidth = 30        # twips
run.Text = "A heading with a rule"
heading.InsertText(run)
page.InsertParagraph(heading)

frame = velloran.cBorder()
frame.TopVisible = frame.BottomVisible = True
frame.LeftVisible = frame.RightVisible = True
frame.BorderType = bDouble
frame.BorderColorIndex = doc.ColorIndex(0x996633)  # blue-grey
boxed = velloran.cParagraph()
boxed.Border = frame                   # held by reference, read when the page takes it
boxed.SpaceBefore = 240
run.Text = "A paragraph in a double frame"
boxed.InsertText(run)
page.InsertParagraph(boxed)

doc.InsertPage(page)
if not doc.Save("border.rtf"):
    raise SystemExit("not saved")
