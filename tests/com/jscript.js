// The same server from JScript: another script engine, other habits (every
// call with parentheses, errors as exceptions whose number is the HRESULT).
var passed = 0, failed = 0;
function check(name, actual, expected) {
    if (actual === expected) { passed++; WScript.Echo("ok - " + name); }
    else { failed++; WScript.Echo("FAIL - " + name + ": got " + actual + ", expected " + expected); }
}
function errorOf(f) {
    try { f(); } catch (e) { return [e.number, e.description]; }
    return null;
}

var doc = new ActiveXObject("Velloran.cDocument");
check("a field", doc.PageWidth, 11906);
doc.Title = "JScript";
check("a string field", doc.Title, "JScript");
check("FontIndex without CharSet", doc.FontIndex("Georgia"), 1);
check("ColorIndex", doc.ColorIndex(0xFF), 3);
var text = new ActiveXObject("Velloran.cText");
text.Text = "abc";
text.Bold = true;
check("a Boolean field reads as a JScript boolean", text.Bold, true);
var para = new ActiveXObject("Velloran.cParagraph");
check("InsertText", para.InsertText(text), true);
var page = new ActiveXObject("Velloran.cPage");
check("InsertParagraph", page.InsertParagraph(para), true);
check("InsertPage", doc.InsertPage(page), true);
check("LastPage", doc.LastPage, 1);
check("the run in the document", doc.Rtf().indexOf("{\\pard\\plain{\\b\\f0\\fs20 abc}}") > 0, true);
check("InsertPage of null", doc.InsertPage(null), false);
check("the paragraph's Border is one object", para.Border === para.Border, true);
doc.Header = para;
check("a Header assigned by JScript", doc.Header === para, true);

var bare = new ActiveXObject("Velloran.cParagraph");
bare.Border = null;
var e = errorOf(function () { page.InsertParagraph(bare); });
check("error 91 as an exception", e && e[0], 0x800A005B - 0x100000000);
check("with the classic description", e && e[1], "Object variable or With block variable not set");
e = errorOf(function () { doc.Save("Q:\\nowhere\\doc.rtf"); });
check("error 76 as an exception", e && e[0], 0x800A004C - 0x100000000);
e = errorOf(function () { var x = text.Text; });
check("a write-only member", e !== null, true);
e = errorOf(function () { page.InsertTable([1, 2]); });
check("a JScript array is no cell array", e !== null, true);

WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Echo("END");
