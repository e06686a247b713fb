' The document: font and colour tables, the whole text, pages, page header
' and footer, Save and its failures.

Dim doc, rtf
Set doc = Make("cDocument")
Check "a document without pages", Timeless(doc.Rtf), DefaultHeader(0) & "{}}"

' The time stamps come from the local clock.
Dim stamp
rtf = doc.Rtf
stamp = "{\creatim\yr" & Year(Now) & "\mo" & Month(Now) & "\dy" & Day(Now) & "\hr"
CheckTrue "the creation time is today's local date", InStr(rtf, stamp) > 0

' The worked sequence of colours and fonts.
Check "ColorIndex of black", doc.ColorIndex(0), 1
Check "ColorIndex of white", doc.ColorIndex(&HFFFFFF), 2
Check "ColorIndex of a new colour", doc.ColorIndex(&HFF), 3
Check "ColorIndex of it again", doc.ColorIndex(255), 3
Check "FontIndex of the default font", doc.FontIndex("Arial"), 0
Check "FontIndex of a new font, no CharSet", doc.FontIndex("times new roman"), 1
Check "FontIndex in other letter case with a CharSet", doc.FontIndex("Times New Roman", 161), 1
Check "FontIndex of an empty name", doc.FontIndex(""), 0
Check "FontIndex with a trailing space is a new font", doc.FontIndex("times new roman "), 2
Check "FontIndex with CharSet -1 takes the default", doc.FontIndex("Symbol", -1), 3
Check "FontIndex with a CharSet of its own", doc.FontIndex("Wingdings", 2), 4
Check "a letter beyond ASCII, upper-cased", doc.FontIndex("Caf" & Chr(233)), 5
Check "matches in the other letter case", doc.FontIndex("CAF" & Chr(201)), 5
Check "ColorIndex of a value with a high byte", doc.ColorIndex(&H1000000), 4
Dim red
red = 255
Check "ColorIndex through a variable", doc.ColorIndex(red), 3
CheckType "FontIndex returns a Long", doc.FontIndex("Arial"), vbLong
rtf = doc.Rtf
CheckTrue "the font table", InStr(rtf, "{\fonttbl{\f0\fnil\fcharset0\fprq2 Arial;}" & _
    "{\f1\fnil\fcharset0\fprq2 times new roman;}{\f2\fnil\fcharset0\fprq2 times new roman ;}" & _
    "{\f3\fnil\fcharset0\fprq2 Symbol;}{\f4\fnil\fcharset2\fprq2 Wingdings;}" & _
    "{\f5\fnil\fcharset0\fprq2 Caf\uc1\u233\'3f;}}") > 0
CheckTrue "the colour table", InStr(rtf, "{\colortbl;\red0\green0\blue0;\red255\green255\blue255;" & _
    "\red255\green0\blue0;\red0\green0\blue0;}") > 0

' Information, page setup and numbering.
Set doc = Make("cDocument")
doc.Author = "A}\par{"
doc.Title = "T" & Chr(228)
doc.PageLandscape = True
doc.PageMarginLeft = 1: doc.PageMarginRight = 2: doc.PageMarginTop = 3: doc.PageMarginBottom = 4
doc.PageNumbersOn = True
rtf = doc.Rtf
CheckTrue "information is escaped", InStr(rtf, "{\info{\author A\'7d\'5cpar\'7b}{\operator }{\title \uc1 T\u228\'3f}{\subject }") > 0
CheckTrue "landscape turns the sheet and its margins", InStr(rtf, "\paperw16837\paperh11906\margl4\margr3\margt1\margb2") > 0
CheckTrue "page numbers after \sectd, and a field in the header", InStr(rtf, "\sectd \pgnstarts1\pgncont\pgnrestart\pgnx720\pgny720\pgndec" & _
    "\headery720{\header{\pard\plain\qr\ri717\f0\fs20 {\field{\*\fldinst PAGE }{\fldrslt 1}}\par}}") > 0

' Pages: every page break but the last.
Dim page, one
Set doc = Make("cDocument")
Check "InsertPage of Nothing", doc.InsertPage(Nothing), False
Check "LastPage after Nothing", doc.LastPage, 0
Set one = Make("cPage")
one.InsertParagraph ParagraphOf("abc")
Check "InsertPage", doc.InsertPage(one), True
Check "one page", Timeless(doc.Rtf), DefaultHeader(1) & "{{" & Wrapped("abc") & "\pard}}}"
doc.InsertPage one
doc.InsertPage Make("cPage")
Check "LastPage counts the pages", doc.LastPage, 3
Check "three pages", Timeless(doc.Rtf), DefaultHeader(3) & "{{" & Wrapped("abc") & "\pard}\page {" & Wrapped("abc") & "\pard}\page {}}}"
Check "rendering changes nothing", Timeless(doc.Rtf), DefaultHeader(3) & "{{" & Wrapped("abc") & "\pard}\page {" & Wrapped("abc") & "\pard}\page {}}}"

' Page header and footer, read at each rendering.
Dim head, expected
Set doc = Make("cDocument")
Set head = ParagraphOf("abc")
Set doc.Header = head
expected = Replace(DefaultHeader(0), "\widowctrl\ftnbj \sectd ", "\pgbrdrhead\headery720 \widowctrl\ftnbj \sectd {\header" & Wrapped("abc") & "}") & "{}}"
Check "a page header", Timeless(doc.Rtf), expected
head.Align = 1
CheckTrue "the header paragraph is read at each rendering", InStr(doc.Rtf, "{\header" & Replace(Wrapped("abc"), "\ql", "\qr") & "}") > 0
Set doc.Header = Nothing
Set doc.Footer = ParagraphOf("f")
expected = Replace(DefaultHeader(0), "\widowctrl\ftnbj \sectd ", "\pgbrdrfoot\footery720 \widowctrl\ftnbj \sectd {\footer" & Wrapped("f") & "}") & "{}}"
Check "a page footer alone", Timeless(doc.Rtf), expected
Set doc.Footer = Nothing
Check "header and footer removed", Timeless(doc.Rtf), DefaultHeader(0) & "{}}"
Set doc.FirstPageHeader = Make("cPage")
CheckTrue "an empty first-page header: none on the cover", InStr(doc.Rtf, "\sectd \titlepg {\headerf{}}\pmmetafile28") > 0
CheckTrue "FirstPageHeader reads back the page", TypeName(doc.FirstPageHeader) = "cPage"
Set doc.FirstPageHeader = Nothing
' A failing header paragraph writes its flag only.
Set head = ParagraphOf("abc")
Set head.Border = Nothing
Set doc.Header = head
rtf = doc.Rtf
CheckTrue "a header without border keeps its flag", InStr(rtf, "\pgbrdrhead\headery720 \widowctrl") > 0
CheckTrue "a header without border writes no group", InStr(rtf, "{\header") = 0

' Save.
Dim fso, folder, path, stream, saved
Set fso = CreateObject("Scripting.FileSystemObject")
folder = fso.GetSpecialFolder(2) & "\velloran-com-test"
If fso.FolderExists(folder) Then fso.DeleteFolder folder, True
fso.CreateFolder folder
path = folder & "\doc.rtf"
Set doc = Make("cDocument")
doc.InsertPage one
Check "Save", doc.Save(path), True
Set stream = fso.OpenTextFile(path, 1)
saved = stream.ReadAll
stream.Close
Check "the saved file holds the text of Rtf", Timeless(saved), Timeless(doc.Rtf)
Dim before
before = fso.GetFile(path).Size
doc.InsertPage one
Check "Save replaces an existing file", doc.Save(path), True
CheckTrue "the replaced file is longer", fso.GetFile(path).Size > before
Check "Save with an empty path", doc.Save(""), False
Dim leftover
leftover = fso.GetFolder(folder).Files.Count
Check "a saved folder holds the document only", leftover, 1

On Error Resume Next
Dim result
result = Empty
result = doc.Save(folder & "\missing\doc.rtf")
CheckVelloranErr "Save into a missing folder", 76, "Path not found"
Check "a failed Save delivers no result", IsEmpty(result), True
result = doc.Save(folder)
CheckErr "Save onto a folder", 75
result = doc.Save("Q:\nowhere\doc.rtf")
CheckErr "Save onto a missing drive", 76
result = doc.Save(folder & "\bad" & Chr(34) & "name.rtf")
CheckErr "Save to a name with a quote in it", 52
On Error GoTo 0
Check "failed saves leave nothing behind", fso.GetFolder(folder).Files.Count, 1

Function ReadAll(file)
    Dim s
    Set s = fso.OpenTextFile(file, 1)
    ReadAll = s.ReadAll
    s.Close
End Function

' A read-only file is refused before anything is written.
Set stream = fso.CreateTextFile(path, True)
stream.Write "old"
stream.Close
fso.GetFile(path).Attributes = 1
On Error Resume Next
result = Empty
result = doc.Save(path)
CheckVelloranErr "Save onto a read-only file", 70, "Permission denied"
On Error GoTo 0
Check "a refused Save delivers no result", IsEmpty(result), True
Check "the read-only file is as it was", ReadAll(path), "old"
Check "and still read-only", fso.GetFile(path).Attributes And 1, 1
Check "nothing is left beside it", fso.GetFolder(folder).Files.Count, 1
fso.GetFile(path).Attributes = 0
fso.DeleteFolder folder, True

Finish
