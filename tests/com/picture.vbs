' Pictures embedded in paragraphs. scripts/com-test puts the picture files
' into C:\velloran-test: p.bmp (4 x 2 pixels), empty.bmp (no bytes) and
' junk.bmp (text).

Const Folder = "C:\velloran-test\"

Dim doc, pic, p, content, fso, temp, leftovers
Set doc = Make("cDocument")
Set fso = CreateObject("Scripting.FileSystemObject")
temp = fso.GetSpecialFolder(2)

Function TempFiles()
    Dim f, n
    n = 0
    For Each f In fso.GetFolder(temp).Files
        If Left(f.Name, 3) = "~vx" Then n = n + 1
    Next
    TempFiles = n
End Function
leftovers = TempFiles()

Function PictureOf(file)
    Dim pc
    Set pc = Make("cPicture")
    pc.File = Folder & file
    Set PictureOf = pc
End Function

Set pic = PictureOf("p.bmp")
Set p = Make("cParagraph")
Check "InsertPicture", p.InsertPicture(pic), True
content = ContentOf(p)
Dim firstLine, digits
firstLine = Left(content, InStr(content, vbCrLf) - 1)
digits = Mid(content, Len(firstLine) + 3, InStr(Len(firstLine) + 3, content, vbCrLf) - Len(firstLine) - 3)
Check "a picture group of the bitmap's size", firstLine, _
    "{\pict\wmetafile8\picscalex100\picscaley100\picw80\pich40\picwgoal45\pichgoal22\picbpp1 " & NoBorder
Check "the picture group ends its last line of digits", Right(content, 3), vbCrLf & "}"
Dim re
Set re = New RegExp
re.Pattern = "^[0-9A-F]+$"
CheckTrue "the metafile is written in hexadecimal", re.Test(digits)
Check "the metafile starts with its header", Left(digits, 12), "010009000003"

Set pic = PictureOf("p.bmp")
pic.Width = 5000
pic.Border.LeftVisible = True
Set p = Make("cParagraph")
p.InsertPicture pic
CheckTrue "a declared width and the picture's border", InStr(ContentOf(p), "\picw5000\pich40\") > 0 And _
    InStr(ContentOf(p), "\picbpp1 \brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrs\brdrcf1\brdrw20\brdrr\brdrnone" & vbCrLf) > 0

Set pic = PictureOf("p.bmp")
Check "a picture follows its pixels, not its file's resolution, at first", pic.UseFileResolution, False
pic.WidthTwips = 2880
pic.Width = 5000
Set p = Make("cParagraph")
p.InsertPicture pic
CheckTrue "a width in twips before the one in hundredths of a millimetre, the height in proportion", _
    InStr(ContentOf(p), "\picwgoal2880\pichgoal1440\") > 0

Set p = Make("cParagraph")
Check "InsertPicture of Nothing", p.InsertPicture(Nothing), False
Check "a picture without file", p.InsertPicture(Make("cPicture")), False
Check "a missing file", p.InsertPicture(PictureOf("missing.bmp")), False
Check "an empty file", p.InsertPicture(PictureOf("empty.bmp")), False
Check "a file that is no picture", p.InsertPicture(PictureOf("junk.bmp")), False
Set pic = PictureOf("p.bmp")
Set pic.Border = Nothing
Check "a picture without border", p.InsertPicture(pic), False
Check "refused pictures leave the paragraph empty", ContentOf(p), ""
Check "no temporary file is left behind", TempFiles(), leftovers

' In a document the picture keeps the text balanced.
Dim page, rtf, depth, i, ch
Set p = Make("cParagraph")
p.InsertPicture PictureOf("p.bmp")
Set page = Make("cPage")
page.InsertParagraph p
doc.InsertPage page
rtf = doc.Rtf
CheckTrue "the picture sits in its paragraph", InStr(rtf, "{{\pard\plain{\pict\wmetafile8") > 0
depth = 0
For i = 1 To Len(rtf)
    ch = Mid(rtf, i, 1)
    If ch = "{" Then depth = depth + 1
    If ch = "}" Then depth = depth - 1
Next
Check "a document with a picture is balanced", depth, 0

Finish
