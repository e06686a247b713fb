Attribute VB_Name = "HelloModule"
' A VBA module: add a reference to the type library first (Tools >
' References > Velloran, or Browse... to x86\Velloran.tlb for 32-bit Office,
' x64\Velloran.tlb for 64-bit Office), then run Hello. The module is
' HelloModule: VBA calls no procedure that has its module's name.
' The classes and their members are early-bound, with IntelliSense.
Option Explicit

Sub Hello()
    Dim doc As New cDocument, run As New cText, para As New cParagraph, page As New cPage
    Dim head As New cParagraph, footRun As New cText

    run.Text = "Hello from VBA"
    run.Italic = True
    run.ForeColorIndex = doc.ColorIndex(RGB(0, 0, 192))
    para.Align = aJustified
    para.SpaceAfter = 120
    para.InsertText run
    page.InsertParagraph para
    doc.InsertPage page

    footRun.Text = "Written by Velloran"
    head.Align = aRight
    head.InsertText footRun
    Set doc.Footer = head          ' repeated at the bottom of every page

    If doc.Save(Environ("TEMP") & "\vba.rtf") Then
        Debug.Print "wrote " & Environ("TEMP") & "\vba.rtf"
    End If
End Sub
