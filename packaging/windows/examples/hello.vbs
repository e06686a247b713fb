' Writes hello.rtf beside this script: a title, a centred bold red run and
' a two-cell table. Run it with the script host of the DLL's bitness:
'     cscript //nologo hello.vbs
Option Explicit
Dim doc, run, para, page, cells(2, 1), label, folder, path

Set doc = CreateObject("Velloran.cDocument")
doc.Title = "Greetings"

Set run = CreateObject("Velloran.cText")
run.FontIndex = doc.FontIndex("Times New Roman")
run.ForeColorIndex = doc.ColorIndex(RGB(255, 0, 0))
run.Bold = True
run.Text = "Hello, world"

Set para = CreateObject("Velloran.cParagraph")
para.Align = 2   ' aCenter
para.InsertText run

Set page = CreateObject("Velloran.cPage")
page.InsertParagraph para

' A table: the first index is the column, the second the row; index 0 is not used.
Set cells(1, 1) = CreateObject("Velloran.cCell")
Set cells(2, 1) = CreateObject("Velloran.cCell")
Set label = CreateObject("Velloran.cParagraph")
label.InsertText run
cells(1, 1).InsertParagraph label
page.InsertTable cells

doc.InsertPage page
folder = CreateObject("Scripting.FileSystemObject").GetParentFolderName(WScript.ScriptFullName)
path = folder & "\hello.rtf"
If doc.Save(path) Then
    WScript.Echo "wrote " & path
Else
    WScript.Echo "not saved: " & path
End If
