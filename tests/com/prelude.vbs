' Shared by every script: checks, the report, and helpers that render
' fragments through a document. scripts/com-test puts it in front of each
' script. It creates no cDocument, so a script starts with the thread's
' colour indexes at 0.
Option Explicit

Dim Passed, Failed
Passed = 0
Failed = 0

Function Show(value)
    If IsObject(value) Then
        If value Is Nothing Then Show = "Nothing" Else Show = "<" & TypeName(value) & ">"
    ElseIf IsNull(value) Then
        Show = "Null"
    Else
        Show = CStr(value) & " (" & TypeName(value) & ")"
    End If
End Function

Sub Report(name, ok, detail)
    If ok Then
        Passed = Passed + 1
        WScript.Echo "ok - " & name
    Else
        Failed = Failed + 1
        WScript.Echo "FAIL - " & name & ": " & detail
    End If
End Sub

Sub Check(name, actual, expected)
    Dim ok
    ok = False
    If Not IsObject(actual) And Not IsObject(expected) Then
        If Not IsNull(actual) And Not IsNull(expected) Then ok = (actual = expected)
    End If
    Report name, ok, "got " & Show(actual) & ", expected " & Show(expected)
End Sub

Sub CheckType(name, value, vbType)
    Report name, VarType(value) = vbType, "VarType " & VarType(value) & ", expected " & vbType
End Sub

Sub CheckSame(name, a, b)
    Report name, a Is b, Show(a) & " and " & Show(b) & " are different objects"
End Sub

Sub CheckTrue(name, condition)
    Report name, condition, "not so"
End Sub

' The error the last statement raised (under On Error Resume Next), then clear it.
Sub CheckErr(name, number)
    Dim n, source, description
    n = Err.Number
    source = Err.Source
    description = Err.Description
    Err.Clear
    Report name, n = number, "Err.Number " & n & " (" & description & "), expected " & number
End Sub

Sub CheckVelloranErr(name, number, description)
    Dim n, source, text
    n = Err.Number
    source = Err.Source
    text = Err.Description
    Err.Clear
    Report name, n = number And source = "Velloran" And text = description, _
        "Err " & n & " from """ & source & """: """ & text & """, expected " & number & " from ""Velloran"": """ & description & """"
End Sub

Sub Finish()
    WScript.Echo Passed & " passed, " & Failed & " failed"
    WScript.Echo "END"
End Sub

' What a paragraph without borders writes after its content.
Const NoBorder = "\brdrt\brdrnone\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone"

Function Make(className)
    Set Make = CreateObject("Velloran." & className)
End Function

Function TextOf(s)
    Dim t
    Set t = Make("cText")
    t.Text = s
    Set TextOf = t
End Function

Function ParagraphOf(s)
    Dim p
    Set p = Make("cParagraph")
    p.InsertText TextOf(s)
    Set ParagraphOf = p
End Function

' The paragraph fragment of one default run of text s.
Function Wrapped(s)
    Wrapped = "{\pard\plain{\f0\fs20 " & s & "}}" & NoBorder & "\ql\par "
End Function

' The document text with its creation and revision times blanked out.
Function Timeless(rtf)
    Dim re
    Set re = New RegExp
    re.Global = True
    re.Pattern = "\\(creatim|revtim)\\yr\d+\\mo\d+\\dy\d+\\hr\d+\\min\d+"
    Timeless = re.Replace(rtf, "\$1")
End Function

' The header of a new document, up to and including the body defaults.
Function DefaultHeader(pages)
    DefaultHeader = "{\rtf1\ansi\ansicpg1253\uc0\deff0" & _
        "{\fonttbl{\f0\fnil\fcharset0\fprq2 Arial;}}" & _
        "{\colortbl;\red0\green0\blue0;\red255\green255\blue255;}" & _
        "{\stylesheet{\fs20 \snext0 Normal;}}" & _
        "{\info{\author }{\operator }{\title }{\subject }{\comment Brenmoor - Velloran.dll}" & _
        "{\creatim}{\revtim}{\version2}" & _
        "{\edmins7}{\nofpages" & pages & "}{\nofwords0}{\nofchars0}{\vern8351}}" & _
        "\paperw11906\paperh16837\margl1440\margr1440\margt1440\margb1440" & _
        "\widowctrl\ftnbj \sectd \pmmetafile28\endnhere\pard\plain\ql\f0\fs20\cb2\cf1 "
End Function

' The content of a page as a new document writes it.
Function PageContent(page)
    Dim d, rtf, head
    Set d = Make("cDocument")
    d.InsertPage page
    rtf = Timeless(d.Rtf)
    head = DefaultHeader(1) & "{{"
    If Left(rtf, Len(head)) = head And Right(rtf, 3) = "}}}" Then
        PageContent = Mid(rtf, Len(head) + 1, Len(rtf) - Len(head) - 3)
    Else
        PageContent = "unexpected document: " & rtf
    End If
End Function

' What a paragraph holds, unwrapped: an alignment outside the enumeration
' makes the paragraph write its content alone.
Function ContentOf(paragraph)
    paragraph.Align = 99
    ContentOf = ParagraphRtf(paragraph)
End Function

Function RunRtf(text)
    Dim p
    Set p = Make("cParagraph")
    p.InsertText text
    RunRtf = ContentOf(p)
End Function

' A paragraph's fragment as a page takes it: the page follows every paragraph
' with the "\pard" that resets the formatting.
Function ParagraphRtf(paragraph)
    Dim page, content
    Set page = Make("cPage")
    page.InsertParagraph paragraph
    content = PageContent(page)
    If Right(content, 5) = "\pard" Then
        ParagraphRtf = Left(content, Len(content) - 5)
    Else
        ParagraphRtf = "no reset after the paragraph: " & content
    End If
End Function

' A cell's last paragraph as a table writes it: back in the table after its
' own reset, and ended by the cell, not by a mark.
Function EndedByCell(s)
    Dim p
    p = "{\pard\plain\intbl" & Mid(Wrapped(s), 13)
    EndedByCell = Left(p, Len(p) - 5)
End Function
