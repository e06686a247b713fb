' How script hosts reach the members: names in any letter case, arguments by
' reference, optional arguments, calls as statements, and refusals.

Dim doc, name, charset, colour, r, p, t, page
Set doc = Make("cDocument")

Check "member names in lower case", doc.pagewidth, 11906
Check "member names in upper case", doc.PAGEWIDTH, 11906
doc.pAgEwIdTh = 100
Check "assignment in mixed case", doc.PageWidth, 100
Check "a method in upper case", Left(doc.RTF, 6), "{\rtf1"

' [in, out] parameters receive the variable itself and leave it unchanged.
name = "Georgia"
charset = 161
Check "FontIndex with variables", doc.FontIndex(name, charset), 1
Check "the name variable is unchanged", name, "Georgia"
Check "the CharSet variable is unchanged", charset, 161
CheckTrue "the CharSet was taken", InStr(doc.Rtf, "{\f1\fnil\fcharset161\fprq2 Georgia;}") > 0
doc.FontDefaultCharSet = 77
Check "FontIndex without CharSet", doc.FontIndex("Verdana"), 2
CheckTrue "no CharSet is the default character set", InStr(doc.Rtf, "{\f2\fnil\fcharset77\fprq2 Verdana;}") > 0
charset = CInt(5)
Check "an Integer variable for a Long parameter", doc.FontIndex("Tahoma", charset), 3
CheckType "and the variable stays an Integer", charset, vbInteger
colour = "255"
Check "a string variable for a Long parameter", doc.ColorIndex(colour), 3
CheckType "and the variable stays a String", colour, vbString
name = 12
Check "a number for a String parameter", doc.FontIndex(name), 4
CheckTrue "written as its text", InStr(doc.Rtf, "\fprq2 12;}") > 0

' Calls as statements, with and without parentheses.
Set p = Make("cParagraph")
Set t = TextOf("a")
p.InsertText t
Call p.InsertText(t)
p.InsertText(t)
Check "three statement calls", ContentOf(p), "{\f0\fs20 a}{\f0\fs20 a}{\f0\fs20 a}"
doc.FontIndex "Courier"
doc.ColorIndex &H123456
CheckTrue "statement calls enter fonts and colours", InStr(doc.Rtf, "Courier;}") > 0 And InStr(doc.Rtf, "\red86\green52\blue18;") > 0

' Booleans take what converts to a Boolean.
Set t = Make("cText")
t.Bold = "True"
Check "a string True for a Boolean", t.Bold, True
t.Bold = 0
Check "0 for a Boolean", t.Bold, False
t.Italic = -1
Check "-1 for a Boolean", t.Italic, True

' Refusals come back as the standard errors, never as a crash.
On Error Resume Next
r = doc.FontIndex("a", 1, 2)
CheckErr "FontIndex with three arguments", 450
r = doc.FontIndex()
CheckErr "FontIndex without arguments", 450
r = doc.Rtf(1)
CheckErr "Rtf with an argument", 450
r = doc.PageWidth(1)
CheckErr "a property read with an argument", 450
r = doc.ColorIndex("red")
CheckErr "a string that is no number", 13
r = doc.ColorIndex(CDbl(2147483647) * 2)
CheckErr "a number beyond Long", 6
r = doc.InsertPage(doc)
CheckErr "a document for a page", 13
r = doc.InsertPage(42)
CheckErr "a number for a page", 13
Dim nothingYet
r = doc.InsertPage(nothingYet)
CheckErr "an Empty variable for a page", 13
r = doc.Save(Array(1))
CheckErr "an array for a path", 13
Set page = doc.InsertPage
CheckErr "a method assigned with Set", 450
r = doc + 1
CheckErr "an object without a default value in arithmetic", 438
doc.Save = "x"
CheckErr "assigning to a method", 438
On Error GoTo 0
Check "Null for an object is Nothing", doc.InsertPage(Null), False
Check "the document still works", doc.LastPage, 0

Finish
