' Pictures: a PNG file at its own size, at a declared size, resampled to
' half its pixels with a border, and a file that is not there.
Set doc = CreateObject("Velloran.cDocument")
Set para = CreateObject("Velloran.cParagraph")
Set gap = CreateObject("Velloran.cText")
gap.Text = "  "

Set picture = CreateObject("Velloran.cPicture")
picture.File = "wheel.png"             ' 120 x 80 pixels: 2400 x 1600 hundredths of a millimetre
If Not para.InsertPicture(picture) Then Err.Raise 53
para.InsertText gap

picture.Width = 4800                   ' declared: 48 x 32 mm, the same pixels
picture.Height = 3200
para.InsertPicture picture
para.InsertText gap

picture.Width = 0                      ' 0 follows the picture again
picture.Height = 0
picture.ScaleFactor = 0.5              ' resampled to 60 x 40 pixels
picture.Border.TopVisible = True
picture.Border.BottomVisible = True
picture.Border.LeftVisible = True
picture.Border.RightVisible = True
para.InsertPicture picture

picture.File = "missing.png"
If para.InsertPicture(picture) Then Err.Raise 5  ' False, and the paragraph is as it was

Set page = CreateObject("Velloran.cPage")
page.InsertParagraph para
doc.InsertPage page
If Not doc.Save("picture.rtf") Then WScript.Echo "not saved"
