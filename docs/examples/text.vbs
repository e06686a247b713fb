' Runs of text: character formatting, colours, fonts and escaping. One cText
' is changed and inserted again and again: the paragraph keeps each run as it
' was when it was inserted.
Set doc = CreateObject("Velloran.cDocument")
Set para = CreateObject("Velloran.cParagraph")
Set run = CreateObject("Velloran.cText")
run.Height = 14

run.Text = "Plain, "
para.InsertText run
run.Bold = True
run.Text = "bold, "
para.InsertText run
run.Bold = False
run.Italic = True
run.Text = "italic, "
para.InsertText run
run.Italic = False
run.Strike = True
run.Text = "struck through, "
para.InsertText run
run.Strike = False
run.Underline = True
run.Text = "underlined, "
para.InsertText run
run.UnderlineDouble = True             ' clears Underline
run.Text = "twice, "
para.InsertText run
run.UnderlineDot = True                ' clears UnderlineDouble
run.Text = "dotted."
para.InsertText run
run.UnderlineDot = False

run.Text = vbLf                        ' a line break inside the paragraph
para.InsertText run
run.ForeColorIndex = doc.ColorIndex(RGB(192, 0, 0))      ' dark red
run.BackColorIndex = doc.ColorIndex(RGB(255, 255, 128))  ' light yellow
run.Text = "Red on yellow, "
para.InsertText run
run.ForeColorIndex = doc.ColorIndex(RGB(0, 0, 0))        ' black: 1
run.BackColorIndex = doc.ColorIndex(RGB(255, 255, 255))  ' white: 2
run.FontIndex = doc.FontIndex("Courier New")
run.Text = "C:\Temp\{braces}" & vbTab & "and a tab, "
para.InsertText run
run.FontIndex = 0
run.Text = "Grüße, déjà vu, € 12 • bullet."  ' the script saved in the Windows code page
para.InsertText run

Set page = CreateObject("Velloran.cPage")
page.InsertParagraph para
doc.InsertPage page
If Not doc.Save("text.rtf") Then WScript.Echo "not saved"
