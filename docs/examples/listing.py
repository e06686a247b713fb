"""A clinical listing: a cover page without the running header, then a
landscape table of 160 rows under a logo and a two-line header, with its
column header repeated on every page; then a second document, a figure in
portrait with a header of its own, assembled as a section."""
import velloran
from velloran import aCenter, cCell, cDocument, cPage, cParagraph, cPicture, cText, vaBottom, vaCenter


def paragraph(text, bold=False):
    p = cParagraph()
    p.InsertText(cText(Text=text, Bold=bold))
    return p


def cell(text, percent, bold=False):
    c = cCell(WidthPercent=percent, PaddingLeft=60, PaddingRight=60, PaddingTop=20, PaddingBottom=20)
    c.InsertParagraph(paragraph(text, bold))
    return c


doc = cDocument(Title="Listing 14.3.1", PageLandscape=True, PageNumbersOn=True)

# The running header: the logo beside two lines, in a table of its own.
logo_paragraph = cParagraph()
logo_paragraph.InsertPicture(cPicture(File="wheel.png", Width=1200, Height=800))
logo_cell = cCell(Width=1200)
logo_cell.InsertParagraph(logo_paragraph)
lines = cCell(Width=8000, VerticalAlignment=vaCenter)
lines.InsertParagraph(paragraph("Study VLR-301", True))
lines.InsertParagraph(paragraph("Listing 14.3.1: adverse events by subject"))
header = cPage()
header.InsertTable([[logo_cell, lines]])
doc.PageHeader = header
doc.FirstPageHeader = cPage()          # the cover has none
even = cPage()
even.InsertParagraph(paragraph("Confidential: for the study team only"))
doc.EvenPageFooter = even

cover = cPage()
title = cParagraph(Align=aCenter, SpaceBefore=3000)
title.InsertText(cText(Text="Study VLR-301: listings", Bold=True, Height=24))
cover.InsertParagraph(title)
doc.InsertPage(cover)

# The table: two header rows at the bottom of their cells, written again at
# the top of every page with 27 rows under them and "(continued)" at the foot;
# columns as shares of the text width; rows kept whole.
widths = [12, 14, 34, 14, 13, 13]
groups = ["Subject", "", "Adverse event", "", "Onset", ""]
names = ["ID", "Arm", "Preferred term", "Severity", "Day", "Outcome"]
terms = ["Headache", "Nausea", "Fatigue", "Dizziness", "Rash"]
severities = ["Mild", "Moderate", "Severe"]
rows = []
for labels in (groups, names):
    row = [cell(label, width, True) for label, width in zip(labels, widths)]
    for c in row:
        c.VerticalAlignment = vaBottom
    rows.append(row)
for n in range(160):
    values = ["1" + str(1001 + n // 2), "Active" if n % 3 else "Placebo", terms[n % 5], severities[n % 3],
              str(1 + (n * 7) % 84), "Resolved" if n % 4 else "Ongoing"]
    rows.append([cell(value, width) for value, width in zip(values, widths)])
# Landscape turns the portrait sheet with its margins: its width is the
# portrait height, its side margins the portrait top and bottom ones.
table = cPage(TableHeaderRows=2, TableAlign=aCenter, TableKeepRowsTogether=True,
              TablePaginate=True, TableRowsPerPage=29, TableContinuedText="(continued)",
              TableWidth=doc.PageHeight - doc.PageMarginTop - doc.PageMarginBottom)
table.InsertTable(rows)
doc.InsertPage(table)

# The figure: a document of its own, in portrait, with its own header.
figure = cDocument()
figure_header = cPage()
figure_header.InsertParagraph(paragraph("Figure 14.3.2: relative risk by subgroup"))
figure.PageHeader = figure_header
plot = cParagraph(Align=aCenter)
plot.InsertPicture(cPicture(File="forest.emf"))  # a vector figure, kept as it is
figure_page = cPage()
figure_page.InsertParagraph(paragraph("Estimates with their 95 % confidence intervals."))
figure_page.InsertParagraph(plot)
figure.InsertPage(figure_page)
doc.InsertDocument(figure)
if not doc.Save("listing.rtf"):
    raise SystemExit("not saved")
