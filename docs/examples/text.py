"""Runs of text: character formatting, colours, fonts and escaping. One cText
is changed and inserted again and again: the paragraph keeps each run as it
was when it was inserted."""
import velloran

doc = velloran.cDocument()
para = velloran.cParagraph()
run = velloran.cText()
run.Height = 14

run.Text = "Plain, "
para.InsertText(run)
run.Bold = True
run.Text = "bold, "
para.InsertText(run)
run.Bold = False
run.Italic = True
run.Text = "italic, "
para.InsertText(run)
run.Italic = False
run.Strike = True
run.Text = "struck through, "
para.InsertText(run)
run.Strike = False
run.Underline = True
run.Text = "underlined, "
para.InsertText(run)
run.UnderlineDouble = True             # clears Underline
run.Text = "twice, "
para.InsertText(run)
run.UnderlineDot = True                # clears UnderlineDouble
run.Text = "dotted."
para.InsertText(run)
run.UnderlineDot = False

run.Text = "\n"                        # a line break inside the paragraph
para.InsertText(run)
run.ForeColorIndex = doc.ColorIndex(0x0000C0)   # dark red
run.BackColorIndex = doc.ColorIndex(0x80FFFF)   # light yellow
run.Text = "Red on yellow, "
para.InsertText(run)
run.ForeColorIndex = velloran.BlackColorIndex()
run.BackColorIndex = velloran.WhiteColorIndex()
run.FontIndex = doc.FontIndex("Courier New")
run.Text = "C:\\Temp\\{braces}\tand a tab, "
para.InsertText(run)
run.FontIndex = 0
run.Text = "Grüße, déjà vu, € 12 \u2022 bullet."
para.InsertText(run)

page = velloran.cPage()
page.InsertParagraph(para)
doc.InsertPage(page)
if not doc.Save("text.rtf"):
    raise SystemExit("not saved")
