#!/usr/bin/env python3
"""The reader suite: documents of every feature, written by the library,
read back by independent RTF readers, and compared with what the host put in.

    readers.py CORPUS_PROGRAM WORK_FOLDER

Readers: LibreOffice (its plain text, the ODT for formatting, header,
footer, information, tables and drawings, and its PDF for row heights and
page numbers), pandoc (its document tree), RichEdit (riched20 under Wine,
through tests/readers/richedit.c) and AbiWord (its plain text and its PDF).
A reader that is missing fails the suite. Each reader's known limits are named in KNOWN below
with the reason measured for it; nothing else is allowed to differ.
"""
import html
import json
import os
import re
import shutil
import subprocess
import sys
import zipfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

HERE = os.path.dirname(os.path.abspath(__file__))

# What a reader cannot show, and why; the comparisons below allow exactly these.
KNOWN = {
    "pandoc-astral": "pandoc 2.17 reads a character beyond U+FFFF (two \\u escapes, one per surrogate) "
                     "as two replacement characters, whatever the escape form",
    "pandoc-tab": "pandoc's document model has no tab: it reads \\tab as a space",
    "pandoc-spaces": "pandoc splits text into words and keeps no run of spaces, nor leading or trailing ones",
    "pandoc-header": "pandoc has no page header or footer",
    "richedit-header": "RichEdit has no page header or footer, and no information group",
    "richedit-picture": "RichEdit's plain text shows an embedded picture as one space, its object's place",
    "richedit-page": "RichEdit ends the paragraph before a page break and table rows with an empty line",
    "drawing-text": "RichEdit and pandoc do not read drawings, so a text box's text is not shown; "
                    "LibreOffice shows it in the ODT only (its text export leaves frames out)",
    "libreoffice-picture": "LibreOffice's text export leaves pictures out",
    "libreoffice-del": "LibreOffice keeps DEL (U+007F) as an invisible character and drops the other "
                       "control characters of a run; in the information it keeps only the tab",
    "richedit-controls": "RichEdit keeps the control characters of a run as characters, NUL aside",
    "libreoffice-field": "LibreOffice's ODT holds a page number field with the last page's number",
    "font-semicolon": "no reader keeps a \";\" in a font's name: LibreOffice ends the name there however it "
                      "is written (raw, \\'3b or \\u59), and AbiWord drops every paragraph after the font "
                      "table for an escaped one, so the document leaves it out (\"Semicolon Font\")",
    "page-start": "LibreOffice 7.4 and AbiWord 3.0 number the pages from 1 whatever the start number "
                  "(\\pgnstarts is read by neither, before or after \\sectd)",
    "pandoc-controls": "pandoc keeps control characters as characters",
    "abiword-paragraph": "AbiWord applies paragraph formatting only where it precedes the paragraph's text; "
                         "the paragraphs write it after, so only the text is compared",
    "abiword-controls": "AbiWord breaks the line at a vertical tab and the page at a form feed, escaped "
                        "or not; its text shows the vertical tab and DEL and drops the other control characters",
    "abiword-textbox": "AbiWord shows a text box as a frame of text on lines of its own, between the "
                       "anchor paragraph's text before and after it, and misreads \\u escapes there "
                       "(\"caf\\u233\\'3fx\" reads \"caf\u00e9fx\"): only a box's text up to its first "
                       "character beyond ASCII is compared; it draws no other shape",
    "abiword-header": "AbiWord's text export puts the header and footer after the body, once, with the "
                      "page number of the last page",
    "header-rows": "no reader here repeats header rows: LibreOffice 7.4 neither reads nor writes \\trhdr "
                   "(a Word document's header row converted to RTF and back loses it); the bytes are checked",
    "pandoc-field": "pandoc 2.17 drops a field's result unless the field is a link: page numbers, page "
                    "counts and dates show nothing",
    "pandoc-lists": "pandoc starts a numbered list again at 1 after anything that interrupts it",
    "abiword-sections": "AbiWord 3.0 ignores section breaks, with or without \\sbkpage: a turned page runs "
                        "on upright on the page before it, and the header and footer are lost",
    "abiword-bullets": "AbiWord draws every bullet level with a disc",
    "richedit-fields": "Wine's RichEdit skips a field whole, its result too: a link's text and the text of a "
                       "page number, page count or date run do not show (Word's RichEdit shows the result)",
}

CONTROLS = {chr(c) for c in range(0x20)} - {"\t", "\n"}


def without_controls(text, keep=""):
    """The text with its control characters (tab and line breaks aside) left out."""
    return "".join(c for c in text if c not in CONTROLS or c in keep)

NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "draw": "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
    "meta": "urn:oasis:names:tc:opendocument:xmlns:meta:1.0",
    "dc": "http://purl.org/dc/elements/1.1/",
    "svg": "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0",
}


def q(prefix, name):
    return "{%s}%s" % (NS[prefix], name)


class Suite:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, name, got, expected):
        if got == expected:
            self.passed += 1
        else:
            self.failed += 1
            print("FAIL %s\n     got      %r\n     expected %r" % (name, got, expected))


# ---------------------------------------------------------------------------
# What the host put in.

def paragraphs(body):
    """Every paragraph of the body in reading order, table cells row by row."""
    for block in body:
        if "table" in block:
            for row in block["table"]:
                for cell in row:
                    yield from cell
        else:
            yield block


def shown_text(p, picture="", drawing="", controls=without_controls):
    """The text of a paragraph as a reader shows it, with what the reader shows for its object."""
    placeholder = {"picture": picture, "drawing": drawing}.get(p["object"], "")
    return controls(p["text"] + placeholder + p["tail"])


def text_boxes(expectation):
    """The text of every text box the host drew, in order."""
    boxes = [s["text"] for p in paragraphs(expectation["body"]) for s in p.get("shapes", []) if s["kind"] == "text box"]
    return boxes + ([expectation["text_box"]] if "text_box" in expectation else [])


# ---------------------------------------------------------------------------
# LibreOffice.

def twips(length):
    """An ODF length ("0.5in", "1.27cm", "12pt") in twips."""
    m = re.fullmatch(r"(-?[0-9.]+)(in|cm|mm|pt)", length)
    value, unit = float(m.group(1)), m.group(2)
    return round(value * {"in": 1440, "cm": 1440 / 2.54, "mm": 144 / 2.54, "pt": 20}[unit])


class Odt:
    def __init__(self, path):
        self.path = path
        with zipfile.ZipFile(path) as z:
            self.content = ET.fromstring(z.read("content.xml"))
            self.styles = ET.fromstring(z.read("styles.xml"))
            self.meta = ET.fromstring(z.read("meta.xml"))
        self.named = {}
        for root in (self.styles, self.content):
            for s in root.iter(q("style", "style")):
                self.named[(s.get(q("style", "family")), s.get(q("style", "name")))] = s
        self.defaults = {s.get(q("style", "family")): s for s in self.styles.iter(q("style", "default-style"))}

    def prop(self, family, name, kind, attribute):
        """A style's property, following its parents to the default style."""
        seen = 0
        while name and seen < 20:
            s = self.named.get((family, name))
            if s is None:
                break
            p = s.find(q("style", kind))
            if p is not None and p.get(attribute) is not None:
                return p.get(attribute)
            name = s.get(q("style", "parent-style-name"))
            seen += 1
        d = self.defaults.get(family)
        p = d.find(q("style", kind)) if d is not None else None
        return p.get(attribute) if p is not None else None

    def chars(self, element, paragraph_style):
        """The characters of a paragraph element, each with its text style, skipping frames."""
        out = []

        def walk(e, span):
            if e.tag.startswith("{%s}" % NS["draw"]):
                return
            if e.text and e.tag != q("text", "s"):
                out.extend((c, span) for c in e.text)
            for child in e:
                if child.tag == q("text", "span"):
                    walk(child, child.get(q("text", "style-name")))
                elif child.tag == q("text", "s"):
                    out.extend((" ", span) for _ in range(int(child.get(q("text", "c"), "1"))))
                elif child.tag == q("text", "tab"):
                    out.append(("\t", span))
                elif child.tag == q("text", "line-break"):
                    out.append(("\n", span))
                else:
                    walk(child, span)
                if child.tail:
                    out.extend((c, span) for c in child.tail)

        walk(element, None)
        return out

    def text_prop(self, span, paragraph_style, attribute):
        if span:
            v = self.prop("text", span, "text-properties", attribute)
            if v is not None:
                return v
        return self.prop("paragraph", paragraph_style, "text-properties", attribute)

    def body_paragraphs(self):
        office_text = self.content.find("office:body/office:text", NS)
        return [p for p in office_text.iter() if p.tag in (q("text", "p"), q("text", "h"))
                and not self.inside_frame(p)]

    def inside_frame(self, p):
        return p in self.frame_paragraphs

    @property
    def frame_paragraphs(self):
        if not hasattr(self, "_frames"):
            self._frames = set()
            for shape in self.content.iter():
                if shape.tag.startswith("{%s}" % NS["draw"]):
                    self._frames.update(shape.iter(q("text", "p")))
        return self._frames


def lo_view(text):
    """The host's text as LibreOffice shows it (KNOWN libreoffice-del)."""
    return without_controls(text)


def name_view(text):
    """An information string as readers show it: a line break is a space (a name is one line)."""
    return re.sub(r"\r\n|\r|\n", " ", text)


# Drawings: kinds as LibreOffice makes them, and how far a shape may be from
# its place (0.5 mm).
SHAPE_ELEMENTS = {"line": "line", "rect": "custom-shape", "ellipse": "custom-shape", "polyline": "custom-shape",
                  "polygon": "custom-shape", "text box": "frame"}
NEAR = 28


def check_shapes(suite, where, paragraph, shapes):
    found = [e for e in paragraph.iter() if e.tag.startswith("{%s}" % NS["draw"]) and
             e.tag.split("}")[1] in ("line", "custom-shape", "frame")]
    suite.check(where + ": its shapes", [e.tag.split("}")[1] for e in found], [SHAPE_ELEMENTS[s["kind"]] for s in shapes])
    svg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
    for e, want in zip(found, shapes):
        def length(attribute):
            v = e.get("{%s}%s" % (svg, attribute))
            return twips(v) if v else None
        if want["kind"] == "line":
            got = {k: length(k) for k in ("x1", "y1", "x2", "y2")}
        else:
            got = {k: length(k) for k in ("x", "y", "width", "height")}
        expected = {k: want[k] for k in got}
        close = all(got[k] is not None and abs(got[k] - expected[k]) <= NEAR for k in got)
        suite.check(where + ": the %s at its place and size (twips)" % want["kind"], got if not close else expected,
                    expected)


def pdf_words(path):
    """Each page of a PDF as (width, height, [(text, xMin, yMin, xMax, yMax)]) in points."""
    result = subprocess.run(["pdftotext", "-bbox", path, "-"], capture_output=True, text=True)
    pages = []
    for page in re.split(r"<page ", result.stdout)[1:]:
        size = re.match(r'width="([0-9.]+)" height="([0-9.]+)"', page)
        words = [(html.unescape(w), float(a), float(b), float(c), float(d)) for a, b, c, d, w in
                 re.findall(r'<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>',
                            page)]
        pages.append((float(size.group(1)), float(size.group(2)), words))
    return pages


def check_page_numbers(suite, expectation, pdf, reader):
    """Every page shows its number at the top right, where the document places it (within 1 mm)."""
    if not expectation["page_numbers"]:
        return
    pages = pdf_words(pdf)
    right, top = expectation["page_number_right"] / 20, expectation["page_number_top"] / 20
    for i, (width, _, words) in enumerate(pages, start=1):
        # KNOWN page-start: numbered from 1.
        at = [(x1, y0) for text, x0, y0, x1, y1 in words if text == str(i) and y0 < top + 20]
        placed = any(abs(width - right - x1) <= 2.9 and abs(y0 - top) <= 2.9 for x1, y0 in at)
        suite.check("%s: %s page %d shows its number at the top right" % (expectation["document"], reader, i),
                    placed or at, True)


def check_row_heights(suite, expectation, pdf):
    """Rows whose cells hold one paragraph each are one line high."""
    tables = [b["table"] for b in expectation["body"] if "table" in b]
    words = [w for _, _, page in pdf_words(pdf) for w in page]
    for t, table in enumerate(tables, start=1):
        if any(len(cell) != 1 for row in table for cell in row):
            continue
        tops = []
        for row in table:
            first = shown_text(row[0][0]).split()[0]
            tops.append(next(((y0, y1 - y0) for text, _, y0, _, y1 in words if text == first), None))
        for r in range(len(tops) - 1):
            if tops[r] is None or tops[r + 1] is None:
                suite.check("%s: LibreOffice table %d row %d found" % (expectation["document"], t, r + 1), False, True)
                continue
            height, line = tops[r + 1][0] - tops[r][0], tops[r][1]
            suite.check("%s: LibreOffice table %d row %d is one line high (%.1f pt for a line of %.1f pt)"
                        % (expectation["document"], t, r + 1, height, line), height <= 1.5 * line, True)


def check_libreoffice(suite, expectation, work, name):
    doc = expectation["document"]
    stem = doc[:-4]
    txt_path = os.path.join(work, "libreoffice", stem + ".txt")
    odt_path = os.path.join(work, "libreoffice", stem + ".odt")
    if not os.path.exists(txt_path) or not os.path.exists(odt_path):
        suite.check(name + ": LibreOffice opened the document", False, True)
        return
    body = list(paragraphs(expectation["body"]))

    with open(txt_path, encoding="utf-8-sig") as f:
        lines = [line for line in f.read().split("\n") if line != ""]
    # KNOWN libreoffice-picture: pictures and drawings leave no text in the export.
    suite.check(name + ": LibreOffice text, paragraph by paragraph", lines, [shown_text(p, controls=lo_view) for p in body])

    odt = Odt(odt_path)
    ps = odt.body_paragraphs()
    suite.check(name + ": LibreOffice paragraphs", len(ps), len(body))
    aligns = {"start": "left", "left": "left", "end": "right", "right": "right", "center": "center",
              "justify": "justify"}
    for i, (element, want) in enumerate(zip(ps, body)):
        where = "%s: LibreOffice paragraph %d (%r)" % (name, i + 1, want["text"][:24])
        style = element.get(q("text", "style-name"))
        chars = odt.chars(element, style)
        suite.check(where + " text", "".join(c for c, _ in chars), shown_text(want, controls=lo_view))

        def length(attribute):
            v = odt.prop("paragraph", style, "paragraph-properties", attribute)
            return twips(v) if v else 0

        got = {"align": aligns.get(odt.prop("paragraph", style, "paragraph-properties", "{%s}text-align" % NS["fo"])
                                   or "start"),
               "left": length(q("fo", "margin-left")), "right": length(q("fo", "margin-right")),
               "first": length(q("fo", "text-indent")), "before": length(q("fo", "margin-top")),
               "after": length(q("fo", "margin-bottom"))}
        expected = {k: want[k] for k in got}
        # Lengths pass through inches with four decimals: a twip either way is the same length.
        for k in ("left", "right", "first", "before", "after"):
            if abs(got[k] - expected[k]) <= 1:
                got[k] = expected[k]
        suite.check(where + " formatting", got, expected)
        border = odt.prop("paragraph", style, "paragraph-properties", q("fo", "border")) or "none"
        suite.check(where + " border", border != "none", want["boxed"])
        if "keep_next" in want:
            def pp(attribute):
                return odt.prop("paragraph", style, "paragraph-properties", q("fo", attribute))
            height = pp("line-height") or "100%"
            got_flow = {"keep_next": pp("keep-with-next") == "always", "keep_together": pp("keep-together") == "always",
                        "break_before": pp("break-before") == "page", "widows": pp("widows") != "0",
                        "line_multiple": float(height[:-1]) / 100 if height.endswith("%") else None,
                        "outline": int(element.get(q("text", "outline-level")) or 0)}
            expected_flow = {k: want[k] for k in got_flow}
            expected_flow["line_multiple"] = want["line_multiple"] or 1.0
            suite.check(where + " pagination, line spacing and outline", got_flow, expected_flow)

        # Run formatting, character by character.
        at = 0
        for run in want["runs"]:
            piece = chars[at:at + len(lo_view(run["text"]))]
            at += len(lo_view(run["text"]))
            spans = {span for _, span in piece}
            for span in spans:
                def tp(attribute, span=span):
                    return odt.text_prop(span, style, attribute)
                size = tp(q("fo", "font-size"))
                colour = tp(q("fo", "color")) or "#000000"
                got_run = {
                    "bold": tp(q("fo", "font-weight")) == "bold",
                    "italic": tp(q("fo", "font-style")) == "italic",
                    "underline": (tp(q("style", "text-underline-style")) or "none") != "none",
                    "strike": (tp(q("style", "text-line-through-style")) or "none") != "none",
                    "font": tp(q("style", "font-name")),
                    "rgb": colour,
                    "points": float(size[:-2]) if size else None,
                }
                rgb = run["rgb"] if run["rgb"] != -1 else 0
                expected_run = {
                    "bold": run["bold"], "italic": run["italic"], "underline": run["underline"],
                    "strike": run["strike"], "font": run["font"].replace(";", "") or "Arial",  # KNOWN font-semicolon
                    "rgb": "#%02x%02x%02x" % (rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF),
                    "points": float(run["points"]),
                }
                if "position" in run:
                    position = tp(q("style", "text-position")) or "0% 100%"
                    highlight = tp(q("fo", "background-color"))
                    spacing = tp(q("fo", "letter-spacing"))
                    got_run.update({
                        "position": position.split()[0] if position.split()[0] in ("super", "sub") else "normal",
                        "smallcaps": tp(q("fo", "font-variant")) == "small-caps",
                        "caps": tp(q("fo", "text-transform")) == "uppercase",
                        "highlight": highlight if highlight not in (None, "transparent") else None,
                        "spacing": twips(spacing) if spacing and spacing != "normal" else 0,
                    })
                    h = run["highlight"]
                    expected_run.update({
                        "position": run["position"], "smallcaps": run["smallcaps"], "caps": run["caps"],
                        "highlight": None if h == -1 else "#%02x%02x%02x" % (h & 0xFF, (h >> 8) & 0xFF, (h >> 16) & 0xFF),
                        "spacing": run["spacing"],
                    })
                suite.check(where + " run %r" % run["text"], got_run, expected_run)

    # Tables: structure, cell text, shading and borders.
    tables = [b["table"] for b in expectation["body"] if "table" in b]
    found = list(odt.content.iter(q("table", "table")))
    suite.check(name + ": LibreOffice tables", len(found), len(tables))
    for t, (table, want) in enumerate(zip(found, tables)):
        rows = list(table.iter(q("table", "table-row")))
        suite.check(name + ": LibreOffice table %d rows" % (t + 1), len(rows), len(want))
        for r, (row, want_row) in enumerate(zip(rows, want)):
            cells = row.findall("table:table-cell", NS)
            texts = [["".join(c for c, _ in odt.chars(p, p.get(q("text", "style-name"))))
                      for p in cell.findall("text:p", NS)] for cell in cells]
            suite.check(name + ": LibreOffice table %d row %d cells" % (t + 1, r + 1), texts,
                        [[shown_text(p, controls=lo_view) for p in cell] for cell in want_row])
            for c, cell in enumerate(cells):
                cs = cell.get(q("table", "style-name"))
                background = odt.prop("table-cell", cs, "table-cell-properties", q("fo", "background-color"))
                shaded = background not in (None, "transparent", "#ffffff")
                suite.check(name + ": LibreOffice cell %d,%d shading" % (r + 1, c + 1), shaded, r == 0)
                sides = [odt.prop("table-cell", cs, "table-cell-properties", q("fo", a)) or
                         odt.prop("table-cell", cs, "table-cell-properties", q("fo", "border")) or "none"
                         for a in ("border-top", "border-bottom", "border-left", "border-right")]
                suite.check(name + ": LibreOffice cell %d,%d borders" % (r + 1, c + 1),
                            all(s != "none" for s in sides), True)

    # Header, footer and the information group.
    def joined(tag):
        e = next(odt.styles.iter(q("style", tag)), None)
        return "" if e is None else "\n".join(
            "".join(c for c, _ in odt.chars(p, None)) for p in e.iter(q("text", "p")))
    # The page number, where the document asks for one, stands above the host's header
    # (KNOWN libreoffice-field).
    pdf = os.path.join(work, "libreoffice", stem + ".pdf")
    pages = len(pdf_words(pdf)) if os.path.exists(pdf) else 0
    number = [str(pages)] if expectation["page_numbers"] else []
    suite.check(name + ": LibreOffice header", joined("header"), "\n".join(number + ([expectation["header"]] if
                                                                                      expectation["header"] else [])))
    suite.check(name + ": LibreOffice footer", joined("footer"), expectation["footer"])
    meta = odt.meta.find("office:meta", NS)
    info = {"title": meta.findtext("dc:title", "", NS), "author": meta.findtext("meta:initial-creator", "", NS),
            "subject": meta.findtext("dc:subject", "", NS)}
    suite.check(name + ": LibreOffice information", info,
                {k: without_controls(name_view(expectation[k])) for k in ("title", "author", "subject")})

    # The sheet, turned for landscape.
    layout = next(l for l in odt.styles.iter(q("style", "page-layout-properties")) if l.get(q("fo", "page-width")))
    width, height = twips(layout.get(q("fo", "page-width"))), twips(layout.get(q("fo", "page-height")))
    if expectation["landscape"]:
        expected_sheet = (expectation["page_height"], expectation["page_width"])
    else:
        expected_sheet = (expectation["page_width"], expectation["page_height"])
    suite.check(name + ": LibreOffice sheet", abs(width - expected_sheet[0]) <= 2 and abs(height - expected_sheet[1]) <= 2,
                True)

    # Objects: the picture as an image, the text boxes' text in their frames,
    # and every shape of a drawing at its place and size.
    boxes = ["".join(t for p in box.iter(q("text", "p")) for t, _ in odt.chars(p, None))
             for box in odt.content.iter(q("draw", "text-box"))]
    for text in text_boxes(expectation):
        suite.check(name + ": LibreOffice text box %r" % text, text in boxes, True)
    for element, want in zip(ps, body):
        if want.get("shapes"):
            check_shapes(suite, name + ": LibreOffice drawing in %r" % want["text"], element, want["shapes"])
    if any(p["object"] == "picture" for p in body):
        suite.check(name + ": LibreOffice picture", any(True for _ in odt.content.iter(q("draw", "image"))), True)

    if not os.path.exists(pdf):
        suite.check(name + ": LibreOffice made a PDF", False, True)
        return
    check_row_heights(suite, expectation, pdf)
    check_page_numbers(suite, expectation, pdf, "LibreOffice")


# ---------------------------------------------------------------------------
# pandoc.

def inline_chars(inlines, marks=frozenset()):
    out = []
    for i in inlines:
        t = i["t"]
        if t == "Str":
            out.extend((c, marks) for c in i["c"])
        elif t in ("Space", "SoftBreak"):
            out.append((" ", marks))
        elif t == "LineBreak":
            out.append(("\n", marks))
        elif t in ("Strong", "Emph", "Underline", "Strikeout", "Superscript", "Subscript", "SmallCaps"):
            out.extend(inline_chars(i["c"], marks | {t}))
        elif t == "Span":
            out.extend(inline_chars(i["c"][1], marks))
        elif t == "Quoted":
            out.extend(inline_chars(i["c"][1], marks))
    return out


def pandoc_blocks(blocks):
    for b in blocks:
        if b["t"] in ("Para", "Plain"):
            yield inline_chars(b["c"])
        elif isinstance(b.get("c"), list):
            # Tables, divisions and quotes: every paragraph they hold, in order.
            stack = [b["c"]]
            nested = []
            while stack:
                x = stack.pop()
                if isinstance(x, dict) and x.get("t") in ("Para", "Plain"):
                    nested.append(x)
                elif isinstance(x, dict) and "c" in x:
                    stack.append(x["c"])
                elif isinstance(x, list):
                    stack.extend(reversed(x))
            for p in nested:
                yield inline_chars(p["c"])


def pandoc_tables(blocks):
    """The tables at the top of the document: rows of cells, each cell's paragraphs joined by a space."""
    tables = []
    for b in blocks:
        if b["t"] == "Table":
            _, _, _, head, bodies, _ = b["c"]
            rows = head[1] + [row for body in bodies for row in body[2] + body[3]]
            tables.append([[" ".join("".join(c for c, _ in p) for p in pandoc_blocks(cell[4])) for cell in row[1]]
                           for row in rows])
    return tables


def pandoc_view(text):
    """The host's text as pandoc can show it (KNOWN pandoc-astral, pandoc-tab, pandoc-spaces,
    pandoc-controls)."""
    text = "".join("\ufffd\ufffd" if ord(c) > 0xFFFF else c for c in text)
    return " ".join(w for w in re.split(r"[ \t\r\n]+", text) if w)


def check_pandoc(suite, expectation, work, name):
    path = os.path.join(work, expectation["document"])
    try:
        result = subprocess.run(["pandoc", "-f", "rtf", "-t", "json", path], capture_output=True, timeout=120)
    except subprocess.TimeoutExpired:
        suite.check(name + ": pandoc read the document in two minutes", False, True)
        return
    if result.returncode != 0:
        suite.check(name + ": pandoc read the document", result.stderr.decode(errors="replace"), "")
        return
    tree = json.loads(result.stdout)
    body = list(paragraphs(expectation["body"]))
    got = [p for p in pandoc_blocks(tree["blocks"]) if "".join(c for c, _ in p).strip()]
    suite.check(name + ": pandoc paragraphs", ["".join(c for c, _ in p) for p in got],
                [pandoc_view(shown_text(p, controls=str)) for p in body])
    # Each table one table of its rows and cells, none inside another.
    tables = [b["table"] for b in expectation["body"] if "table" in b]
    suite.check(name + ": pandoc tables", pandoc_tables(tree["blocks"]),
                [[[" ".join(pandoc_view(shown_text(p, controls=str)) for p in cell) for cell in row] for row in table]
                 for table in tables])
    names = {"bold": "Strong", "italic": "Emph", "underline": "Underline", "strike": "Strikeout"}
    for p, want in zip(got, body):
        # Words of a run keep the run's marks; spaces between runs are not compared.
        at = 0
        chars = [(c, m) for c, m in p]
        for run in want["runs"]:
            words = pandoc_view(run["text"])
            if not words:
                continue
            start = "".join(c for c, _ in chars).find(words, at)
            if start < 0:
                suite.check(name + ": pandoc run %r" % run["text"], None, words)
                continue
            at = start + len(words)
            marks = set()
            for c, m in chars[start:at]:
                if c != " ":
                    marks |= m
            wanted = [names[k] for k in names if run[k]]
            # Of 1.3's formats pandoc keeps the position and small capitals.
            wanted += {"super": ["Superscript"], "sub": ["Subscript"]}.get(run.get("position"), [])
            wanted += ["SmallCaps"] if run.get("smallcaps") else []
            suite.check(name + ": pandoc run %r marks" % run["text"], sorted(marks), sorted(wanted))

    def meta(key):
        m = tree["meta"].get(key)
        return "".join(c for c, _ in inline_chars(m["c"])) if m else ""
    suite.check(name + ": pandoc information", {k: pandoc_view(meta(k)) for k in ("title", "author", "subject")},
                {k: pandoc_view(expectation[k]) for k in ("title", "author", "subject")})
    # KNOWN pandoc-header: nothing to compare for the header and footer.


# ---------------------------------------------------------------------------
# RichEdit under Wine.

WINE_PREFIX = "wine64"
WINE = [os.path.join(os.path.dirname(os.path.dirname(HERE)), "scripts", "wine"), "64"]


# 64-bit, so that it runs on every machine, those whose kernels refuse
# 32-bit programs included.
def richedit_program(work):
    source = os.path.join(HERE, "richedit.c")
    exe = os.path.join(work, "richedit.exe")
    subprocess.run(["x86_64-w64-mingw32-gcc", "-O2", "-Wall", "-o", exe, source], check=True)
    return exe


def wine_env(prefix):
    env = dict(os.environ, WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    if not os.path.exists(os.path.join(prefix, "system.reg")):
        subprocess.run(WINE + ["wineboot", "-i"], env=env, capture_output=True, check=True)
    # Without a display: the null graphics driver.
    subprocess.run(WINE + ["reg", "add", r"HKCU\Software\Wine\Drivers", "/v", "Graphics", "/d", "null", "/f"],
                   env=env, capture_output=True, check=True)
    return env


def run_richedit(work, documents):
    exe = richedit_program(work)
    env = wine_env(os.path.join(work, WINE_PREFIX))
    paths = [subprocess.run(WINE + ["winepath", "-w", os.path.join(work, d)], env=env, capture_output=True,
                            text=True, check=True).stdout.strip() for d in documents]
    result = subprocess.run(WINE + [exe] + paths, env=env, capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        print(result.stderr)


def check_richedit(suite, expectation, work, name):
    path = os.path.join(work, expectation["document"][:-4] + ".richedit.txt")
    if not os.path.exists(path):
        suite.check(name + ": RichEdit read the document", False, True)
        return
    with open(path, encoding="utf-8") as f:
        text = f.read()
    # Paragraphs end with CR (KNOWN richedit-page: the empty lines of page
    # breaks and row ends are not paragraphs of the host's). A row is one
    # line, its cells' last paragraphs separated by tabs, and one more tab at its end.
    lines = [line.rstrip("\t") for line in re.split(r"\r\n|\r|\n", text) if line.rstrip("\t") != ""]

    def view(p):  # KNOWN richedit-picture, drawing-text, richedit-controls
        return shown_text(p, picture=" ", controls=lambda t: t.replace("\x00", ""))

    expected = []
    for block in expectation["body"]:
        if "table" in block:
            for row in block["table"]:
                expected += "\t".join("\n".join(view(p) for p in cell) for cell in row).split("\n")
        else:
            expected.append(view(block))
    suite.check(name + ": RichEdit text, paragraph by paragraph", lines, expected)
    # KNOWN richedit-header: no header, footer or information to compare.


# ---------------------------------------------------------------------------

# AbiWord.

def run_abiword(work, documents):
    out = os.path.join(work, "abiword")
    os.makedirs(out, exist_ok=True)
    for d in documents:
        for target in ("txt", "pdf"):
            subprocess.run(["abiword", "--to=" + target, "-o", os.path.join(out, d[:-4] + "." + target),
                            os.path.join(work, d)], capture_output=True, timeout=120)


def abiword_view(text):
    """The host's text as AbiWord shows it, line by line (KNOWN abiword-controls)."""
    text = without_controls(text.replace("\x0c", "\n"), keep="\x0b\x7f")
    return text.split("\n")


def ascii_prefix(text):
    return re.match(r"[\x00-\x7f]*", text).group(0)


def check_abiword(suite, expectation, work, name):
    body = list(paragraphs(expectation["body"]))
    stem = os.path.join(work, "abiword", expectation["document"][:-4])
    if not os.path.exists(stem + ".txt") or not os.path.exists(stem + ".pdf"):
        suite.check(name + ": AbiWord read the document", False, True)
        return
    with open(stem + ".txt", encoding="utf-8") as f:
        lines = [line for line in re.split(r"[\n\x0c]", f.read()) if line != ""]
    # KNOWN abiword-paragraph: text only. KNOWN abiword-textbox: a text box's
    # text on a line of its own, compared up to its first character beyond ASCII.
    expected = []
    for p in body:
        boxes = [s["text"] for s in p.get("shapes", []) if s["kind"] == "text box"]
        if p["object"] == "drawing" and not p.get("shapes") and "text_box" in expectation:
            boxes = [expectation["text_box"]]
        if boxes:
            expected += abiword_view(p["text"]) + [("box", b) for b in boxes] + (abiword_view(p["tail"]) if p["tail"]
                                                                                else [])
        else:
            expected += abiword_view(shown_text(p, controls=str))
    # KNOWN abiword-header: the header (the last page's number first) and the footer after the body.
    pages = len(pdf_words(stem + ".pdf"))
    expected += ([str(pages)] if expectation["page_numbers"] else []) + \
        [t for t in (expectation["header"], expectation["footer"]) if t]
    got = [("box", ascii_prefix(e[1])) if isinstance(e, tuple) and line.startswith(ascii_prefix(e[1])) else line
           for line, e in zip(lines, expected)] + lines[len(expected):]
    want = [("box", ascii_prefix(e[1])) if isinstance(e, tuple) else e for e in expected]
    suite.check(name + ": AbiWord text, line by line", got, want)
    check_page_numbers(suite, expectation, stem + ".pdf", "AbiWord")


# ---------------------------------------------------------------------------

# The features of 1.2, in a document of their own.

def pdf_lines(path):
    """Each page of a PDF as its lines of text, spaces squeezed."""
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True).stdout
    return [[re.sub(r"\s+", " ", line).strip() for line in page.split("\n") if line.strip()]
            for page in text.split("\x0c")[:-1]]


def list_lines(lines, items):
    """The label each item's text follows on its line ("" for none)."""
    found = []
    for label, text in items:
        line = next((l for l in lines if l == text or l.endswith(" " + text)), None)
        found.append([line[: -len(text)].strip() if line is not None else None, text])
    return found


def check_features(suite, e, work):
    name = e["document"]
    stem = name[:-4]
    odt_path = os.path.join(work, "libreoffice", stem + ".odt")
    pdf_path = os.path.join(work, "libreoffice", stem + ".pdf")
    if not os.path.exists(odt_path) or not os.path.exists(pdf_path):
        suite.check(name + ": LibreOffice read the document", False, True)
        return
    odt = Odt(odt_path)
    body = odt.content.find("office:body/office:text", NS)
    links = [(a.get("{http://www.w3.org/1999/xlink}href"), "".join(a.itertext())) for a in body.iter(q("text", "a"))]
    suite.check(name + ": LibreOffice link, target and text", links, [(e["link"]["target"], e["link"]["text"])])
    notes = ["".join(n.find(q("text", "note-body")).itertext()).strip() for n in body.iter(q("text", "note"))
             if n.get(q("text", "note-class")) == "footnote"]
    suite.check(name + ": LibreOffice footnote", notes, [e["note"]])
    suite.check(name + ": LibreOffice date field in the body", len(list(body.iter(q("text", "date")))), 1)
    footers = [f for f in odt.styles.iter(q("style", "footer"))]
    fields = [(len(list(f.iter(q("text", "page-number")))), len(list(f.iter(q("text", "page-count"))))) for f in footers]
    suite.check(name + ": LibreOffice page number and page count fields in every footer",
                bool(fields) and all(f == (1, 1) for f in fields), True)
    spans = []
    for cell in body.iter(q("table", "table-cell")):
        columns = int(cell.get(q("table", "number-columns-spanned"), "1"))
        rows = int(cell.get(q("table", "number-rows-spanned"), "1"))
        if columns > 1 or rows > 1:
            spans.append(["".join(cell.itertext()).strip(), columns, rows])
    suite.check(name + ": LibreOffice merged cells", spans, e["spans"])
    # Each picture is the very file, at 20 hundredths of a millimetre a pixel.
    with zipfile.ZipFile(odt_path) as z:
        frames = [f for f in body.iter(q("draw", "frame"))]
        got = []
        for frame in frames:
            image = frame.find(q("draw", "image"))
            data = z.read(image.get("{http://www.w3.org/1999/xlink}href")) if image is not None else b""
            size = [round(twips(frame.get(q("svg", k))) * 2540 / 1440 / 100, 1) for k in ("width", "height")]
            got.append([data, size])
    want = []
    for file, w, h in e["pictures"]:
        with open(os.path.join(work, file), "rb") as f:
            want.append([f.read(), [round(w * 0.2, 1), round(h * 0.2, 1)]])
    suite.check(name + ": LibreOffice keeps the pictures' files, at their sizes (mm)",
                [[d == want[i][0] if i < len(want) else False, size] for i, (d, size) in enumerate(got)],
                [[True, size] for _, size in want])
    pages = pdf_lines(pdf_path)
    sizes = pdf_words(pdf_path)
    suite.check(name + ": LibreOffice pages turned as asked, each with its page of pages",
                [["landscape" if width > height else "portrait", next((l for l in lines if l.startswith("Page ")), None)]
                 for (width, height, _), lines in zip(sizes, pages)],
                e["pages"])
    suite.check(name + ": LibreOffice list labels", list_lines(pages[0] if pages else [], e["lists"]), e["lists"])
    with open(os.path.join(work, name), encoding="latin-1") as f:
        rtf = f.read()
    # KNOWN header-rows: only the bytes say it.
    rows = re.findall(r"\\trowd[^\r\n]*", rtf)
    suite.check(name + ": the header row, and only it, marked \\trhdr",
                [r.endswith("\\trhdr") for r in rows], [True] + [False] * (len(rows) - 1))

    # pandoc: the link, the note and the lists (KNOWN pandoc-field, pandoc-lists).
    result = subprocess.run(["pandoc", "-f", "rtf", "-t", "json", os.path.join(work, name)], capture_output=True)
    tree = json.loads(result.stdout) if result.returncode == 0 else {"blocks": []}
    found = {"Link": [], "Note": [], "BulletList": 0, "OrderedList": 0}

    def walk(x):
        if isinstance(x, dict):
            t = x.get("t")
            if t == "Link":
                found["Link"].append(x["c"][2][0])
            elif t == "Note":
                found["Note"].append(" ".join(i["c"] for b in x["c"] for i in b["c"] if i["t"] == "Str"))
            elif t in ("BulletList", "OrderedList"):
                found[t] += 1
            for v in x.values():
                walk(v)
        elif isinstance(x, list):
            for v in x:
                walk(v)
    walk(tree["blocks"])
    suite.check(name + ": pandoc link, footnote and lists",
                [found["Link"], found["Note"], found["BulletList"] > 0, found["OrderedList"] > 0],
                [[e["link"]["target"]], [e["note"]], True, True])

    # AbiWord: the lists' labels and the note (KNOWN abiword-sections, abiword-bullets).
    abi = os.path.join(work, "abiword", stem + ".pdf")
    lines = [l for page in pdf_lines(abi) for l in page] if os.path.exists(abi) else []
    labels = [[label if not label or label[0].isdigit() else "bullet", text]
              for label, text in list_lines(lines, e["lists"])]
    suite.check(name + ": AbiWord list labels", labels,
                [[label if not label or label[0].isdigit() else "bullet", text] for label, text in e["lists"]])
    suite.check(name + ": AbiWord shows the footnote", any(e["note"] in l for l in lines), True)

    # RichEdit: the text of every piece (KNOWN richedit-fields, richedit-header).
    path = os.path.join(work, stem + ".richedit.txt")
    text = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
    pieces = [t for _, t in e["lists"]] + [s[0] for s in e["spans"]] + ["Wide page", "Upright again"]
    suite.check(name + ": RichEdit shows the lists', the table's and the turned page's text",
                [p for p in pieces if p not in text], [])


def check_bundle(suite, e, work):
    """Each part's first page, in LibreOffice's PDF, shows its page number 1."""
    name = e["document"]
    lines = [l for page in pdf_lines(os.path.join(work, "libreoffice", name[:-4] + ".pdf")) for l in page]
    suite.check(name + ": LibreOffice numbers each part's pages from 1", [s for s in e["starts"] if s not in lines], [])


def check_headers(suite, e, work):
    """Each page of LibreOffice's PDF shows its section's header, and not the other."""
    name = e["document"]
    pages = pdf_lines(os.path.join(work, "libreoffice", name[:-4] + ".pdf"))
    suite.check(name + ": LibreOffice each page's own header", [[h in p, o in p] for p, h, o in
                zip(pages, e["headers"], e["others"])], [[True, False]] * len(e["headers"]))


def check_rawrtf(suite, e, work):
    """Every reader shows the text after each probe of raw RTF the run accepted."""
    name = e["document"]
    stem = name[:-4]
    shown = {}
    path = os.path.join(work, "libreoffice", stem + ".txt")
    shown["LibreOffice"] = open(path, encoding="utf-8-sig").read() if os.path.exists(path) else ""
    result = subprocess.run(["pandoc", "-f", "rtf", "-t", "plain", "--wrap=none", os.path.join(work, name)],
                            capture_output=True, text=True)
    shown["pandoc"] = result.stdout
    abi = os.path.join(work, "abiword", stem + ".pdf")
    shown["AbiWord"] = "\n".join(l for page in pdf_lines(abi) for l in page) if os.path.exists(abi) else ""
    path = os.path.join(work, stem + ".richedit.txt")
    shown["RichEdit"] = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
    for reader, text in shown.items():
        suite.check(name + ": %s shows the text after every accepted probe" % reader,
                    [t for t in e["after"] if t not in text], [])


def libreoffice_odt(suite, name, work):
    """LibreOffice's ODT of a document, or None (a failed check) when it wrote none."""
    path = os.path.join(work, "libreoffice", name[:-4] + ".odt")
    if not os.path.exists(path):
        suite.check(name + ": LibreOffice read the document", False, True)
        return None
    return Odt(path)


def check_report(suite, e, work):
    name = e["document"]
    stem = name[:-4]
    odt = libreoffice_odt(suite, name, work)
    if odt is None:
        return
    body = odt.content.find("office:body/office:text", NS)

    def stops(root):
        return [[twips(t.get(q("style", "position"))), t.get(q("style", "type")) or "",
                 t.get(q("style", "leader-text")) or ""] for t in root.iter(q("style", "tab-stop"))]
    # The contents' entries bring a right stop of their own.
    suite.check(name + ": LibreOffice tab stops, their alignments and leaders",
                [t for t in e["stops"] if t not in stops(odt.content)], [])
    suite.check(name + ": LibreOffice the header's right stop", e["header_stop"] in stops(odt.styles), True)
    headings = []
    for h in body.iter(q("text", "h")):
        style = odt.named.get(("paragraph", h.get(q("text", "style-name"))))
        parent = style.get(q("style", "parent-style-name")) if style is not None else None
        headings.append(["".join(h.itertext()), int(h.get(q("text", "outline-level"), "0")), parent])
    suite.check(name + ": LibreOffice headings in its own heading styles, at their levels", headings,
                [[t, level, "Heading_20_%d" % level] for t, level in e["headings"]])
    sources = [int(t.get(q("text", "outline-level"), "0")) for t in body.iter(q("text", "table-of-content-source"))]
    suite.check(name + ": LibreOffice a table of contents of the levels asked for", sources, [e["contents_levels"]])
    suite.check(name + ": LibreOffice the bookmarks, the host's and those the contents link to",
                [b.get(q("text", "name")) for b in body.iter(q("text", "bookmark-start"))], e["bookmarks"])

    def links(root):
        return [[a.get("{http://www.w3.org/1999/xlink}href"), "".join(a.itertext())] for a in root.iter(q("text", "a"))]
    contents = body.find(".//" + q("text", "table-of-content"))
    entries = links(contents) if contents is not None else []
    suite.check(name + ": LibreOffice the contents as written, each entry a link to its heading", entries, e["entries"])
    suite.check(name + ": LibreOffice the link to the bookmark",
                [l for l in links(body) if l not in entries], [e["link"]])
    texts = ["".join(p.itertext()) for p in body.iter(q("text", "p"))]
    suite.check(name + ": LibreOffice the raw RTF's dash", e["last_line"] in texts, True)
    # The table laid out cell by cell.
    table = body.find(".//" + q("table", "table"))
    t = e["table"]
    if table is None:
        suite.check(name + ": LibreOffice the table", False, True)
    else:
        def props(style, kind):
            s = odt.named.get((kind, style))
            p = s.find(q("style", kind + "-properties")) if s is not None else None
            return p.attrib if p is not None else {}
        tp = props(table.get(q("table", "style-name")), "table")
        row = table.find(".//" + q("table", "table-row"))
        rp = props(row.get(q("table", "style-name")), "table-row")
        cells = []
        for c in row.iter(q("table", "table-cell")):
            cp = props(c.get(q("table", "style-name")), "table-cell")
            cells.append(["".join(c.itertext()), cp.get(q("style", "vertical-align")),
                          twips(cp.get(q("fo", "padding-left"), cp.get(q("fo", "padding"), "0in"))),
                          twips(cp.get(q("fo", "padding-top"), cp.get(q("fo", "padding"), "0in")))])
        suite.check(name + ": LibreOffice the table centred, its row exact and whole, its cells aligned and padded",
                    [tp.get(q("table", "align")), twips(rp.get(q("style", "row-height"), "0in")), [
                        round(twips(props(c.get(q("table", "style-name")), "table-column").get(
                            q("style", "column-width"), "0in")) / 10) * 10
                        for c in table.iter(q("table", "table-column"))],
                     rp.get(q("fo", "keep-together")), cells],
                    # null: a padding the cell leaves to the reader (LibreOffice gives it 10 twips there)
                    [t["align"], t["row_height"], t["columns"], t["keep_together"],
                     [[g if w is None else w for g, w in zip(got, want)] for got, want in zip(cells, t["cells"])]])
    # The EMF figure kept as the very file.
    with zipfile.ZipFile(odt.path) as z, open(os.path.join(work, e["figure"]), "rb") as f:
        figure = f.read()
        suite.check(name + ": LibreOffice keeps the EMF figure as its file",
                    any(z.read(n) == figure for n in z.namelist() if n.lower().endswith(".emf")), True)
    # The first page without a header, the even page with its own, a table in it.
    pages = pdf_lines(os.path.join(work, "libreoffice", stem + ".pdf"))
    suite.check(name + ": LibreOffice's PDF, fields not updated, lists the contents' entries",
                [l for l in pages[0] if l in [t for _, t in e["entries"]]] if pages else [],
                [t for _, t in e["entries"]])
    suite.check(name + ": LibreOffice no header on the first page, the even page's own",
                [[any(l.startswith("Left") for l in p), any(l == "Even header" for l in p)] for p in pages],
                e["headers"])
    suite.check(name + ": LibreOffice the even page's header holds a table",
                any(True for h in odt.styles.iter(q("style", "header-left")) for _ in h.iter(q("table", "table"))),
                True)
    # Once its fields are updated, the contents list the headings with their pages.
    updated = os.path.join(work, "libreoffice", stem + "-updated.pdf")
    subprocess.run([os.path.join(ROOT, "scripts", "libreoffice-fields"), os.path.join(work, "profile-fields"),
                    os.path.join(work, name), updated], capture_output=True, timeout=300)
    pages = pdf_lines(updated) if os.path.exists(updated) else [[]]
    entries = [[m.group(1), m.group(2)] for line in pages[0]
               for m in [re.fullmatch(r"(\w+)\s*\.{3,}\s*(\d+)", line)] if m]
    suite.check(name + ": LibreOffice, fields updated, the contents with their page numbers", entries, e["contents"])

    # pandoc: the bookmark, the link to it and the dash (KNOWN pandoc-field: no contents).
    result = subprocess.run(["pandoc", "-f", "rtf", "-t", "markdown", os.path.join(work, name)], capture_output=True,
                            text=True)
    suite.check(name + ": pandoc the bookmark, the link to it and the dash",
                ["{#%s}" % e["bookmark"] in result.stdout, "](%s)" % e["link"][0] in result.stdout,
                 "\u2014" in result.stdout or "---" in result.stdout], [True, True, True])
    # AbiWord: the contents' entries before the headings (it keeps no page
    # break before a heading), and the dash; RichEdit: the text.
    abi = os.path.join(work, "abiword", stem + ".pdf")
    lines = [l for page in pdf_lines(abi) for l in page] if os.path.exists(abi) else []
    listed = [t for _, t in e["entries"]]
    suite.check(name + ": AbiWord shows the contents' entries and the dash",
                [[l for l in lines if l in listed], any(e["last_line"] in l for l in lines)], [listed + listed, True])
    path = os.path.join(work, stem + ".richedit.txt")
    text = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
    # KNOWN richedit-fields: the link's text is skipped with its field.
    suite.check(name + ": RichEdit shows the headings and the dash",
                [t for t, _ in e["headings"] if t not in text] + ([] if "\u2014end" in text else ["\u2014end"]), [])


# ---------------------------------------------------------------------------

def check_assembled(suite, e, work):
    """Sections and assembled parts: LibreOffice's pages, each with its own
    size and header, and the runs' fonts and colours renumbered into the
    whole's tables."""
    name = e["document"]
    stem = name[:-4]
    pdf = os.path.join(work, "libreoffice", stem + ".pdf")
    sizes = []
    if os.path.exists(pdf):
        info = subprocess.run(["pdfinfo", "-f", "1", "-l", "99", pdf], capture_output=True, text=True).stdout
        sizes = [[round(float(w)), round(float(h))]
                 for w, h in re.findall(r"Page\s+\d+ size:\s+([\d.]+) x ([\d.]+)", info)]
    pages = pdf_lines(pdf) if os.path.exists(pdf) else []
    suite.check(name + ": LibreOffice each page's size, header and text",
                [[s, p[:1], p[1:]] for s, p in zip(sizes, pages)],
                [[size, [header], [text]] for size, header, text, _, _ in e["pages"]])
    odt = libreoffice_odt(suite, name, work)
    if odt is None:
        return
    body = odt.content.find("office:body/office:text", NS)
    runs = []
    for span in body.iter(q("text", "span")):
        style = odt.named.get(("text", span.get(q("text", "style-name"))))
        props = style.find(q("style", "text-properties")) if style is not None else None
        attrs = props.attrib if props is not None else {}
        if "".join(span.itertext()):
            runs.append(["".join(span.itertext()), attrs.get(q("style", "font-name")), attrs.get(q("fo", "color"))])
    suite.check(name + ": LibreOffice each part's runs in their own font and colour", runs,
                [[text, font, color] for _, _, text, font, color in e["pages"]])


# Documents whose expectations name a kind of their own, checked by its function.
def check_values(suite, e, work):
    """A table from values as LibreOffice lays it out: a decimal column's numbers end together (one digit
    after each point), each spanner is underlined inside its cell's edges, and each border style is drawn."""
    name = e["document"]
    stem = name[:-4]
    pdf = os.path.join(work, "libreoffice", stem + ".pdf")
    words = [w for _, _, page in pdf_words(pdf) for w in page] if os.path.exists(pdf) else []
    ends = [next((x1 for text, _, _, x1, _ in words if text == value), None) for value in e["decimal"]]
    suite.check(name + ": LibreOffice the decimal column's numbers found", None in ends, False)
    if None not in ends:
        suite.check(name + ": LibreOffice lines the decimal column up on its points (ends %s)" % ends,
                    max(ends) - min(ends) < 0.6, True)
    odt = libreoffice_odt(suite, name, work)
    if odt is None:
        return
    body = odt.content.find("office:body/office:text", NS)
    styled = {"".join(p.itertext()): p.get(q("text", "style-name")) for p in body.iter(q("text", "p"))}

    def paragraph(text, attribute):
        return odt.prop("paragraph", styled.get(text), "paragraph-properties", attribute) or ""
    for spanner in e["spanners"]:
        suite.check(name + ": LibreOffice underlines %s with gaps at its ends" % spanner,
                    [paragraph(spanner, q("fo", "border-bottom")) not in ("", "none"),
                     twips(paragraph(spanner, q("fo", "margin-left")) or "0in") > 0,
                     twips(paragraph(spanner, q("fo", "margin-right")) or "0in") > 0], [True, True, True])
    for text, style in e["borders"]:
        border = paragraph(text, q("fo", "border-bottom"))
        suite.check(name + ": LibreOffice draws a %s bottom border (%s)" % (style, border), style in border, True)


def check_paginated(suite, e, work):
    """A table that paginates itself, page by page in LibreOffice's PDF: its header rows at the top of every
    page, its first and last rows on each, and its text at the foot of each page it goes on from."""
    name = e["document"]
    pdf = os.path.join(work, "libreoffice", name[:-4] + ".pdf")
    pages = pdf_lines(pdf) if os.path.exists(pdf) else []
    rows = [[line.split(" ")[0] for line in page if re.match(r"S[0-9]+ ", line)] for page in pages]
    suite.check(name + ": LibreOffice's pages, their first and last rows",
                [[r[0], r[-1]] if r else [] for r in rows], e["pages"])
    suite.check(name + ": LibreOffice shows the header rows at the top of every page",
                [page[:2] for page in pages], [e["header"]] * len(e["pages"]))
    suite.check(name + ": LibreOffice shows %s at the foot of every page but the last" % e["continued"],
                [page[-1] == e["continued"] for page in pages], [True] * (len(e["pages"]) - 1) + [False])


def check_sectionlayout(suite, e, work):
    """A section's columns, line numbers and page border as LibreOffice keeps them: its paragraph in a
    section of so many columns, the lines numbered at the increment, each side of the first page style's
    border in its style."""
    name = e["document"]
    odt = libreoffice_odt(suite, name, work)
    if odt is None:
        return
    body = odt.content.find("office:body/office:text", NS)
    text, count = e["columns"]
    columns = None
    for section in body.iter(q("text", "section")):
        if text in "".join(section.itertext()):
            style = odt.named.get(("section", section.get(q("text", "style-name"))))
            found = style.find(".//style:columns", NS) if style is not None else None
            columns = int(found.get(q("fo", "column-count"))) if found is not None else None
    suite.check(name + ": LibreOffice sets the section in %d columns" % count, columns, count)
    numbering = odt.styles.find(".//text:linenumbering-configuration", NS)
    suite.check(name + ": LibreOffice numbers every %s lines" % e["increment"],
                numbering.get(q("text", "increment")) if numbering is not None else None, e["increment"])
    layout = next((p for p in odt.styles.iter(q("style", "page-layout-properties"))
                   if p.get(q("fo", "border-top"))), None)
    sides = [(layout.get(q("fo", "border-" + side)) or "") if layout is not None else ""
             for side in ("top", "bottom", "left", "right")]
    suite.check(name + ": LibreOffice draws the page border's sides (%s)" % sides,
                [style in side for style, side in zip(e["border"], sides)], [True] * 4)


def check_scripts(suite, e, work):
    """A run's East Asian font, a right-to-left paragraph and a right-to-left table as LibreOffice keeps them."""
    name = e["document"]
    odt = libreoffice_odt(suite, name, work)
    if odt is None:
        return
    body = odt.content.find("office:body/office:text", NS)
    text, font = e["asian"]
    fonts = {odt.prop("text", span.get(q("text", "style-name")), "text-properties", q("style", "font-name-asian"))
             for p in body.iter(q("text", "p")) if text in "".join(p.itertext()) for span in p.iter(q("text", "span"))}
    suite.check(name + ": LibreOffice sets the Chinese run's East Asian characters in %s" % font, font in fonts, True)
    modes = [odt.prop("paragraph", p.get(q("text", "style-name")), "paragraph-properties", q("style", "writing-mode"))
             for p in body.iter(q("text", "p")) if "".join(p.itertext()) == e["rtl"]]
    suite.check(name + ": LibreOffice writes the Arabic paragraph right to left", modes, ["rl-tb"])
    pdf = os.path.join(work, "libreoffice", name[:-4] + ".pdf")
    lines = [line for page in pdf_lines(pdf) for line in page] if os.path.exists(pdf) else []
    suite.check(name + ": LibreOffice lays the table's row out right to left", e["row"] in lines, True)


def check_notes(suite, e, work):
    """A footnote and an endnote, each of its class, as LibreOffice keeps them."""
    name = e["document"]
    odt = libreoffice_odt(suite, name, work)
    if odt is None:
        return
    notes = [[n.get(q("text", "note-class")), "".join(n.find("text:note-body", NS).itertext()).strip()]
             for n in odt.content.iter(q("text", "note"))]
    suite.check(name + ": LibreOffice keeps the footnote and the endnote, each of its class", notes, e["notes"])


KIND_CHECKS = {
    "notes": check_notes,
    "scripts": check_scripts,
    "sectionlayout": check_sectionlayout,
    "paginated": check_paginated,
    "values": check_values,
    "features": check_features,
    "report": check_report,
    "assembled": check_assembled,
    "rawrtf": check_rawrtf,
    "headers": check_headers,
    "bundle": check_bundle,
}


def need(program, package):
    if shutil.which(program) is None:
        print("FAIL the reader %s is missing (Debian package %s)" % (program, package))
        sys.exit(1)


def main():
    corpus, work = sys.argv[1], sys.argv[2]
    for program, package in (("soffice", "libreoffice-writer-nogui"), ("pandoc", "pandoc"),
                             ("/usr/lib/wine/wine64", "wine64"), ("x86_64-w64-mingw32-gcc", "gcc-mingw-w64-x86-64"),
                             ("abiword", "abiword"), ("pdftotext", "poppler-utils")):
        need(program, package)
    if os.path.isdir(work):
        for entry in os.listdir(work):
            if entry != WINE_PREFIX:
                full = os.path.join(work, entry)
                shutil.rmtree(full) if os.path.isdir(full) else os.remove(full)
    os.makedirs(work, exist_ok=True)
    subprocess.run([corpus, work], check=True)
    expectations = []
    for entry in sorted(os.listdir(work)):
        if entry.endswith(".json"):
            with open(os.path.join(work, entry), encoding="utf-8") as f:
                expectations.append(json.load(f))
    documents = [e["document"] for e in expectations]

    out = os.path.join(work, "libreoffice")
    profile = "file://" + os.path.join(work, "profile")
    for target in ("txt:Text (encoded):UTF8", "odt", "pdf"):
        subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless", "--convert-to", target,
                        "--outdir", out] + [os.path.join(work, d) for d in documents],
                       capture_output=True, timeout=600)
    run_richedit(work, documents)
    run_abiword(work, documents)

    suite = Suite()
    for e in expectations:
        name = e["document"]
        check = KIND_CHECKS.get(e.get("kind"))
        if check:
            check(suite, e, work)
            continue
        check_libreoffice(suite, e, work, name)
        check_pandoc(suite, e, work, name)
        check_richedit(suite, e, work, name)
        check_abiword(suite, e, work, name)
    print("%d passed, %d failed" % (suite.passed, suite.failed))
    return 1 if suite.failed else 0


if __name__ == "__main__":
    sys.exit(main())
