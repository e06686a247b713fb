"""Page set-up, document information, the default font and page numbering."""
import velloran

doc = velloran.cDocument()
doc.Title = "Quarterly report"
doc.Subject = "Sales"
doc.Author = "Ada Lovelace"
doc.PageWidth = 12240                  # US Letter, 8.5 x 11 inches, in twips
doc.PageHeight = 15840
doc.PageMarginLeft = 1134              # 2 cm
doc.PageMarginRight = 1134
doc.FontDefaultName = "Georgia"        # font index 0
doc.FontDefaultHeight = 12             # points
doc.PageNumbersOn = True

for n in (1, 2):
    run = velloran.cText()
    run.Height = 0                     # no size of its own: the default's 12 points
    run.Text = f"Page {n} of the report, in Georgia."
    para = velloran.cParagraph()
    para.InsertText(run)
    page = velloran.cPage()
    page.InsertParagraph(para)
    doc.InsertPage(page)

# doc.LastPage is 2; doc.Rtf() would give the same text as a string.
if not doc.Save("document.rtf"):
    raise SystemExit("not saved")
