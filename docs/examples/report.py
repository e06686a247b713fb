"""A report: a contents page, headings at three levels, a running header
with the page of pages at the right margin, numbers aligned on their
decimal points, a bookmark and a link back to it."""
import velloran
from velloran import cParagraph, cText, fPageCount, fPageNumber, tDecimal, tlDots, tRight, vSubscript, vSuperscript

doc = velloran.cDocument(Title="Quarterly report")
text_width = doc.PageWidth - doc.PageMarginLeft - doc.PageMarginRight
headings = [doc.StyleIndex("heading 1"), doc.StyleIndex("heading 2"), doc.StyleIndex("heading 3")]


def paragraph(text):
    p = cParagraph(SpaceAfter=120)
    p.InsertText(cText(Text=text))
    return p


def heading(level, text, bookmark=""):
    """A heading: its style, its level in the outline, kept with what follows."""
    p = cParagraph(StyleIndex=headings[level - 1], OutlineLevel=level, KeepWithNext=True, SpaceBefore=240,
                   SpaceAfter=120)
    p.InsertText(cText(Text=text, Bold=True, Height=18 - 2 * level, Bookmark=bookmark))
    return p


# The header: the title at the left, "Page X of Y" ending at the right margin.
header = cParagraph()
header.AddTabStop(text_width, tRight)
header.Border.BottomVisible = True
header.InsertText(cText(Text="Quarterly report\tPage "))
header.InsertText(cText(Text="1", Field=fPageNumber))
header.InsertText(cText(Text=" of "))
header.InsertText(cText(Text="1", Field=fPageCount))
doc.Header = header

# The contents page: the headings are listed; readers add their pages when they update fields.
contents = velloran.cPage()
title = cParagraph(SpaceAfter=240)
title.InsertText(cText(Text="Contents", Bold=True, Height=20))
contents.InsertParagraph(title)
table = cParagraph()
table.InsertText(cText(Text="Update the fields to show the contents.", ContentsLevels=3))
contents.InsertParagraph(table)
doc.InsertPage(contents)

body = velloran.cPage()
body.InsertParagraph(heading(1, "1 Results", "results"))
growth = paragraph("Revenue grew by 12 %")
marker = cText(Text="a", VerticalPosition=vSuperscript)
growth.InsertText(marker)
growth.InsertText(cText(Text=" while emissions of CO"))
growth.InsertText(cText(Text="2", VerticalPosition=vSubscript))
growth.InsertText(cText(Text=" fell."))
body.InsertParagraph(growth)

body.InsertParagraph(heading(2, "1.1 Sales by region"))
# A decimal stop with dot leaders lines the numbers up on their points.
for line in ("North\t1,234.50", "South\t98.25", "East\t12.00", "West\t7,050.75"):
    row = paragraph(line)
    row.SpaceAfter = 0
    row.AddTabStop(6000, tDecimal, tlDots)
    body.InsertParagraph(row)
note = paragraph("")
note.SpaceBefore = 120
note.InsertText(marker)
note.InsertText(cText(Text=" Compared with the third quarter."))
body.InsertParagraph(note)

body.InsertParagraph(heading(3, "1.1.1 Method"))
method = paragraph("Submissions are double-spaced: ")
method.LineSpacingMultiple = 2.0
method.InsertText(cText(Text="regional offices", SmallCaps=True))
method.InsertText(cText(Text=" report their figures each month, and the "))
method.InsertText(cText(Text="audited", HighlightColorIndex=doc.ColorIndex(0x00FFFF)))  # yellow
method.InsertText(cText(Text=" totals are final."))
body.InsertParagraph(method)

outlook = heading(1, "2 Outlook")
outlook.PageBreakBefore = True
body.InsertParagraph(outlook)
plans = paragraph("The plans build on the results")
plans.InsertText(cText(RawRtf="\\emdash "))  # RTF of the host's own
plans.InsertText(cText(Text="see Results", LinkToBookmark="results", ForeColorIndex=doc.ColorIndex(0xC00000),
                       Underline=True))
plans.InsertText(cText(Text="."))
body.InsertParagraph(plans)
doc.InsertPage(body)
if not doc.Save("report.rtf"):
    raise SystemExit("not saved")
