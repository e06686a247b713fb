"""Pictures: a PNG file at its own size, at a declared size, resampled to
half its pixels with a border, and a file that is not there."""
import velloran

doc = velloran.cDocument()
para = velloran.cParagraph()
gap = velloran.cText()
gap.Text = "  "

picture = velloran.cPicture()
picture.File = "wheel.png"             # 120 x 80 pixels: 2400 x 1600 hundredths of a millimetre
if not para.InsertPicture(picture):
    raise SystemExit("wheel.png not converted")
para.InsertText(gap)

picture.Width = 4800                   # declared: 48 x 32 mm, the same pixels
picture.Height = 3200
para.InsertPicture(picture)
para.InsertText(gap)

picture.Width = 0                      # 0 follows the picture again
picture.Height = 0
picture.ScaleFactor = 0.5              # resampled to 60 x 40 pixels
border = picture.Border
border.TopVisible = border.BottomVisible = border.LeftVisible = border.RightVisible = True
para.InsertPicture(picture)

picture.File = "missing.png"
assert para.InsertPicture(picture) is False  # and the paragraph is as it was

page = velloran.cPage()
page.InsertParagraph(para)
doc.InsertPage(page)
if not doc.Save("picture.rtf"):
    raise SystemExit("not saved")
