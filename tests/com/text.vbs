' Runs, paragraphs and borders as the document writes them.

Dim doc, t, p, q, b, page
Set doc = Make("cDocument")

' Runs.
Check "a default run", RunRtf(TextOf("abc")), "{\f0\fs20 abc}"
Set t = TextOf("a{b}")
t.Bold = True: t.Italic = True: t.FontIndex = 1: t.Height = 12: t.ForeColorIndex = 3
Check "a run with formatting and braces", RunRtf(t), "{\b\i\f1\cf3\fs24 a\{b\}}"
Set t = TextOf("abc")
t.BackColorIndex = 4
Check "a run with a background", RunRtf(t), "{\f0\chcfpat0\chcbpat4\cb4\fs20 abc}"
Set t = TextOf("abc")
t.Height = 0
Check "a run without size", RunRtf(t), "{\f0 abc}"
Set t = TextOf("x")
t.VerticalPosition = 1
t.SmallCaps = True
t.HighlightColorIndex = 3
t.CharacterSpacing = -20
Check "a raised run in small capitals, highlighted and narrowed", RunRtf(t), "{\scaps\f0\fs20\highlight3\super\expndtw-20 x}"
Check "a backslash", RunRtf(TextOf("C:\x")), "{\f0\fs20 C:\\x}"
Check "a tab", RunRtf(TextOf("a" & vbTab & "b")), "{\f0\fs20 a\tab b}"
Check "line breaks", RunRtf(TextOf("a" & vbCrLf & vbCr & "b" & vbLf & "c")), "{\f0\fs20 a\line \line b\line c}"
Check "a bullet and a letter beyond ASCII", RunRtf(TextOf(Chr(149) & " " & Chr(233))), "{\f0\fs20 \bullet  \uc1\u233\'3f}"
Check "an empty run", RunRtf(TextOf("")), ""
Check "a run whose text was never set", RunRtf(Make("cText")), ""
Set t = TextOf("x")
t.Bold = True: t.Italic = True: t.Strike = True
t.UnderlineWords = True
t.UnderlineDot = True
t.Height = -10
Check "every flag in its place", RunRtf(t), "{\b\i\uld\ulw\strike\f0\fs-20 x}"
Set t = TextOf("u")
t.UnderlineWords = True
t.Underline = True
Check "plain underline clears word underline", RunRtf(t), "{\ul\f0\fs20 u}"
t.UnderlineDouble = True
Check "double underline clears plain underline", RunRtf(t), "{\uldb\f0\fs20 u}"
Set t = TextOf("one")
t.Text = "two"
Check "the next Text replaces the last", RunRtf(t), "{\f0\fs20 two}"

' Paragraphs.
Set p = Make("cParagraph")
Check "InsertText of Nothing", p.InsertText(Nothing), True
Check "InsertText of an empty run", p.InsertText(TextOf("")), True
Set t = TextOf("one")
Check "InsertText", p.InsertText(t), True
t.Text = "two"
p.InsertText t
Check "runs are taken as they are at insertion", ContentOf(p), "{\f0\fs20 one}{\f0\fs20 two}"
Check "a paragraph", ParagraphRtf(ParagraphOf("abc")), Wrapped("abc")
Set q = ParagraphOf("abc")
q.IndentFirstLine = 720: q.SpaceAfter = 120: q.Align = 2
Check "a centred paragraph with indent and space", ParagraphRtf(q), "{\pard\plain{\f0\fs20 abc}}\fi720\sa120" & NoBorder & "\qc\par "
Set q = ParagraphOf("abc")
q.IndentFirstLine = -360: q.IndentLeft = 1: q.IndentRight = 2: q.SpaceBefore = 3: q.SpaceAfter = 4: q.SpaceBetweenLines = -240
q.Align = 3
Check "every length in its place", ParagraphRtf(q), "{\pard\plain{\f0\fs20 abc}}\fi-360\li1\ri2\sb3\sa4\sl-240" & NoBorder & "\qj\par "
Set q = ParagraphOf("abc")
q.LineSpacingMultiple = 1.5: q.KeepWithNext = True: q.WidowControl = False: q.OutlineLevel = 2
Check "a heading kept with the next, spaced one and a half", ParagraphRtf(q), _
    "{\pard\plain{\f0\fs20 abc}}\sl360\slmult1\keepn\nowidctlpar\outlinelevel1" & NoBorder & "\ql\par "
Set q = ParagraphOf("abc")
q.StyleIndex = doc.StyleIndex("heading 2")
Check "AddTabStop", q.AddTabStop(9000, 2, 1), True
q.AddTabStop 1440
Check "a styled paragraph with a right tab stop and dot leader, then a left one", ParagraphRtf(q), _
    "{\pard\plain{\f0\fs20 abc}}\s1\tqr\tldot\tx9000\tx1440" & NoBorder & "\ql\par "
On Error Resume Next
q.AddTabStop -1, 0, 0
CheckVelloranErr "a negative tab stop", 5, "Invalid procedure call or argument"
Set t = TextOf("x")
t.RawRtf = "\emdash "
t.RawRtf = "}{"
CheckVelloranErr "raw RTF that closes a group it did not open", 5, "Invalid procedure call or argument"
Dim sectioned, whole, result
Set sectioned = Make("cPage")
Set sectioned.PageHeader = sectioned
CheckVelloranErr "a page as its own section's header", 5, "Invalid procedure call or argument"
Set whole = Make("cDocument")
whole.InsertPage sectioned
result = whole.InsertDocument(whole)
CheckVelloranErr "a document assembled into itself", 5, "Invalid procedure call or argument"
On Error GoTo 0
Check "refused raw RTF leaves the run as it was", RunRtf(t), "{\f0\fs20 x{\uc1 \emdash }}"
Set q = ParagraphOf("abc")
q.Align = 1
Check "a right-aligned paragraph", Right(ParagraphRtf(q), 8), "\qr\par "
Check "an empty paragraph", ParagraphRtf(Make("cParagraph")), "{\pard\plain}" & NoBorder & "\ql\par "
Set q = ParagraphOf("abc")
q.Border.TopVisible = True
Check "the paragraph's own border", ParagraphRtf(q), "{\pard\plain{\f0\fs20 abc}}\brdrt\brdrs\brdrcf1\brdrw20\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone\ql\par "
Set q = ParagraphOf("abc")
Set page = Make("cPage")
page.InsertParagraph q
page.InsertParagraph q
Check "a paragraph inserted twice nests the first", PageContent(page), _
    Wrapped("abc") & "\pard{\pard\plain" & Wrapped("abc") & "}" & NoBorder & "\ql\par \pard"

' Borders.
Set b = Make("cBorder")
Set q = ParagraphOf("x")
Set q.Border = b
b.TopVisible = True: b.BottomVisible = True: b.LeftVisible = True: b.RightVisible = True
Check "four sides", ParagraphRtf(q), "{\pard\plain{\f0\fs20 x}}\brdrt\brdrs\brdrcf1\brdrw20\brdrb\brdrs\brdrcf1\brdrw20" & _
    "\brdrl\brdrs\brdrcf1\brdrw20\brdrr\brdrs\brdrcf1\brdrw20\ql\par "
Set b = Make("cBorder")
b.TopVisible = True: b.BorderType = 2: b.TopWidth = 15: b.BorderColorIndex = 3
Set q = ParagraphOf("x")
Set q.Border = b
Check "a double top side", ParagraphRtf(q), "{\pard\plain{\f0\fs20 x}}\brdrt\brdrdb\brdrcf3\brdrw15\brdrb\brdrnone\brdrl\brdrnone\brdrr\brdrnone\ql\par "
Dim types, words, i
words = Array("brdrs", "brdrdb", "brdrth", "brdrsh", "brdrdot", "brdrhair")
For i = 1 To 6
    Set q = ParagraphOf("x")
    q.Border.RightVisible = True
    q.Border.BorderType = i
    CheckTrue "border type " & i, InStr(ParagraphRtf(q), "\brdrr\" & words(i - 1) & "\brdrcf1\brdrw20\ql") > 0
Next

' Failures leave the target as it was.
On Error Resume Next
Set t = TextOf("big")
t.Height = 1073741824
Set p = ParagraphOf("kept")
p.InsertText t
CheckVelloranErr "a run whose size overflows", 6, "Overflow"
Set t = TextOf("n")
p.InsertText t
Check "the paragraph kept what it had", ContentOf(p), "{\f0\fs20 kept}{\f0\fs20 n}"
Set p = ParagraphOf("abc")
Set p.Border = Nothing
Set page = Make("cPage")
page.InsertParagraph p
CheckVelloranErr "a paragraph without border", 91, "Object variable or With block variable not set"
Set doc = Make("cDocument")
doc.InsertPage page
Check "the page kept nothing of it", Timeless(doc.Rtf), DefaultHeader(1) & "{{}}}"
Dim r
r = p.InsertText(Make("cParagraph"))
CheckErr "InsertText of a paragraph", 13
r = p.InsertText(42)
CheckErr "InsertText of a number", 13
r = p.InsertText()
CheckErr "InsertText without argument", 450
r = p.InsertText(t, t)
CheckErr "InsertText with two arguments", 450
On Error GoTo 0

Finish
