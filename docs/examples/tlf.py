"""A demographics table as a clinical study report's Table 14.1.1 shows it:
titles and the population in the page header with "Page X of Y" at the top
right, "Treatment" over the two arms beside the total, the numbers on their
decimal points between the rules of a report table, footnotes under it and
the program's name in the footer; Courier New at 9 points on landscape
letter paper."""
import velloran
from velloran import aCenter, cDocument, cPage, cParagraph, cText, fPageCount, fPageNumber, tDecimal, tRight


def paragraph(*runs, align=0, space_after=0):
    p = cParagraph(Align=align, SpaceAfter=space_after)
    for run in runs:
        p.InsertText(run)
    return p


doc = cDocument(Title="Table 14.1.1", PageWidth=12240, PageHeight=15840, PageLandscape=True,
                FontDefaultName="Courier New", FontDefaultHeight=9, CreationTime="2026-12-11 09:00")
# Landscape turns the portrait sheet: its text width is the portrait height
# less the top and bottom margins.
width = doc.PageHeight - doc.PageMarginTop - doc.PageMarginBottom
header = cPage()
first = paragraph(cText(Text="Protocol: VLR-301"), cText(Text="\tPage "), cText(Text="1", Field=fPageNumber),
                  cText(Text=" of "), cText(Text="1", Field=fPageCount))
first.AddTabStop(width, tRight)
header.InsertParagraph(first)
for line in ("Table 14.1.1", "Demographic and Baseline Characteristics", "Safety Population"):
    header.InsertParagraph(paragraph(cText(Text=line), align=aCenter))
doc.PageHeader = header
footer = cPage()
footer.InsertParagraph(paragraph(cText(Text="Program: t_dm.py   Output: t_dm.rtf   Data: ADSL")))
doc.PageFooter = footer

values = [
    ["", "Treatment", None, ""],
    ["Characteristic", "Placebo\n(N=86)", "Active\n(N=84)", "Total\n(N=170)"],
    ["Age (years)", "", "", ""],
    ["  n", "86", "84", "170"],
    ["  Mean (SD)", "75.2 (8.59)", "74.4 (7.89)", "74.8 (8.24)"],
    ["  Median", 76.0, 76.0, 76.0],
    ["  Min - Max", "52.0 - 89.0", "51.0 - 88.0", "51.0 - 89.0"],
    ["Sex, n (%)", "", "", ""],
    ["  Female", "53 (61.6)", "50 (59.5)", "103 (60.6)"],
    ["  Male", "33 (38.4)", "34 (40.5)", "67 (39.4)"],
]
table = cPage(TableHeaderRows=2, TableRules=True, TableFontHeight=9, TableWidth=width)
table.AddTableColumn(4560)
for _ in range(3):
    table.AddTableColumn(0, tDecimal, 1)
table.InsertRows(values)
table.InsertParagraph(paragraph(cText(Text="N: subjects in the population; n: subjects with data. "
                                           "Percentages are of N.")))
doc.InsertPage(table)
if not doc.Save("tlf.rtf"):
    raise SystemExit("not saved")
