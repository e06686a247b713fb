"""A table of three columns and three rows: a shaded heading row, widths in
twips, and a last row open at the bottom."""
import velloran
from velloran import aLeft, aRight

doc = velloran.cDocument()
grey = doc.ColorIndex(0xDDDDDD)
text = [["Fruit", "Colour", "Price"],
        ["Apple", "red or green", "0.40"],
        ["Lemon", "yellow", "0.25"]]
widths = [2000, 3500, 1500]

rows = []                              # a list of rows, each a list of cells
for r, words in enumerate(text):
    row = []
    for c, word in enumerate(words):
        run = velloran.cText()
        run.Bold = r == 0
        run.Text = word
        para = velloran.cParagraph()
        para.Align = aRight if c == 2 else aLeft
        para.InsertText(run)
        cell = velloran.cCell()
        cell.Width = widths[c]
        if r == 0:
            cell.BackColorIndex = grey
        if r == 2:
            cell.Border.BottomVisible = False
        cell.InsertParagraph(para)
        row.append(cell)
    rows.append(row)
page = velloran.cPage()
page.InsertTable(rows)                 # or a CellArray indexed [column, row] from 1
doc.InsertPage(page)
if not doc.Save("table.rtf"):
    raise SystemExit("not saved")
