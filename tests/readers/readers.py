#!/usr/bin/env python3
"""The reader suite: documents of every feature, written by the library,
read back by independent RTF readers, and compared with what the host put in.

    readers.py CORPUS_PROGRAM WORK_FOLDER

Readers: LibreOffice (its plain text, and the ODT for formatting, header,
footer, information and tables), pandoc (its document tree) and RichEdit
(riched20 under Wine, through tests/readers/richedit.c). A reader that is
missing fails the suite. Each reader's known limits are named in KNOWN below
with the reason measured for it; nothing else is allowed to differ.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import zipfile
import xml.etree.ElementTree as ET

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
    "drawing-text": "RichEdit and pandoc do not read drawing objects, so a text box's text is not shown; "
                    "LibreOffice shows it in the ODT only (its text export leaves frames out)",
    "libreoffice-picture": "LibreOffice's text export leaves pictures out",
    "cell-end": "a cell's last paragraph ends with \\par and the \\cell after it ends one more, empty "
                "paragraph, which LibreOffice shows at the end of every cell (the cell text is the "
                "paragraphs as they render, so this is the document's own, not a reader's)",
}

NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "draw": "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
    "meta": "urn:oasis:names:tc:opendocument:xmlns:meta:1.0",
    "dc": "http://purl.org/dc/elements/1.1/",
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


def shown_text(p, picture="", drawing=""):
    """The text of a paragraph as a reader shows it, with what the reader shows for its object."""
    placeholder = {"picture": picture, "drawing": drawing}.get(p["object"], "")
    return p["text"] + placeholder + p["tail"]


# ---------------------------------------------------------------------------
# LibreOffice.

def twips(length):
    """An ODF length ("0.5in", "1.27cm", "12pt") in twips."""
    m = re.fullmatch(r"(-?[0-9.]+)(in|cm|mm|pt)", length)
    value, unit = float(m.group(1)), m.group(2)
    return round(value * {"in": 1440, "cm": 1440 / 2.54, "mm": 144 / 2.54, "pt": 20}[unit])


class Odt:
    def __init__(self, path):
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
            if e.tag == q("draw", "frame") or e.tag == q("draw", "rect"):
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
                and not self.inside_frame(p) and p not in self.cell_ends]

    @property
    def cell_ends(self):
        """The empty paragraph that closes every cell (KNOWN cell-end)."""
        if not hasattr(self, "_cell_ends"):
            self._cell_ends = set()
            for cell in self.content.iter(q("table", "table-cell")):
                ps = cell.findall("text:p", NS)
                if len(ps) > 1 and not "".join(ps[-1].itertext()):
                    self._cell_ends.add(ps[-1])
        return self._cell_ends

    def inside_frame(self, p):
        return p in self.frame_paragraphs

    @property
    def frame_paragraphs(self):
        if not hasattr(self, "_frames"):
            self._frames = set()
            for frame in self.content.iter(q("draw", "frame")):
                self._frames.update(frame.iter(q("text", "p")))
            for shape in self.content.iter(q("draw", "rect")):
                self._frames.update(shape.iter(q("text", "p")))
        return self._frames


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
    suite.check(name + ": LibreOffice text, paragraph by paragraph", lines, [shown_text(p) for p in body])

    odt = Odt(odt_path)
    ps = odt.body_paragraphs()
    suite.check(name + ": LibreOffice paragraphs", len(ps), len(body))
    aligns = {"start": "left", "left": "left", "end": "right", "right": "right", "center": "center",
              "justify": "justify"}
    for i, (element, want) in enumerate(zip(ps, body)):
        where = "%s: LibreOffice paragraph %d (%r)" % (name, i + 1, want["text"][:24])
        style = element.get(q("text", "style-name"))
        chars = odt.chars(element, style)
        suite.check(where + " text", "".join(c for c, _ in chars), shown_text(want))

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

        # Run formatting, character by character.
        at = 0
        for run in want["runs"]:
            piece = chars[at:at + len(run["text"])]
            at += len(run["text"])
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
                    "strike": run["strike"], "font": run["font"] or "Arial",
                    "rgb": "#%02x%02x%02x" % (rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF),
                    "points": float(run["points"]),
                }
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
                      for p in cell.findall("text:p", NS) if p not in odt.cell_ends] for cell in cells]
            suite.check(name + ": LibreOffice table %d row %d cells" % (t + 1, r + 1), texts,
                        [[shown_text(p) for p in cell] for cell in want_row])
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
    suite.check(name + ": LibreOffice header", joined("header"), expectation["header"])
    suite.check(name + ": LibreOffice footer", joined("footer"), expectation["footer"])
    meta = odt.meta.find("office:meta", NS)
    info = {"title": meta.findtext("dc:title", "", NS), "author": meta.findtext("meta:initial-creator", "", NS),
            "subject": meta.findtext("dc:subject", "", NS)}
    suite.check(name + ": LibreOffice information", info,
                {k: expectation[k] for k in ("title", "author", "subject")})

    # The sheet, turned for landscape.
    layout = next(l for l in odt.styles.iter(q("style", "page-layout-properties")) if l.get(q("fo", "page-width")))
    width, height = twips(layout.get(q("fo", "page-width"))), twips(layout.get(q("fo", "page-height")))
    if expectation["landscape"]:
        expected_sheet = (expectation["page_height"], expectation["page_width"])
    else:
        expected_sheet = (expectation["page_width"], expectation["page_height"])
    suite.check(name + ": LibreOffice sheet", abs(width - expected_sheet[0]) <= 2 and abs(height - expected_sheet[1]) <= 2,
                True)

    # Objects: the picture as an image, the text box's text in its frame.
    if "text_box" in expectation:
        boxes = ["".join(c for c, _ in odt.chars(p, None)) for box in odt.content.iter(q("draw", "text-box"))
                 for p in box.iter(q("text", "p"))]
        suite.check(name + ": LibreOffice text box", expectation["text_box"] in boxes, True)
    if any(p["object"] == "picture" for p in body):
        suite.check(name + ": LibreOffice picture", any(True for _ in odt.content.iter(q("draw", "image"))), True)


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
        elif t in ("Strong", "Emph", "Underline", "Strikeout"):
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


def pandoc_view(text):
    """The host's text as pandoc can show it (KNOWN pandoc-astral, pandoc-tab, pandoc-spaces)."""
    text = "".join("\ufffd\ufffd" if ord(c) > 0xFFFF else c for c in text)
    return " ".join(text.replace("\t", " ").split())


def check_pandoc(suite, expectation, work, name):
    path = os.path.join(work, expectation["document"])
    result = subprocess.run(["pandoc", "-f", "rtf", "-t", "json", path], capture_output=True)
    if result.returncode != 0:
        suite.check(name + ": pandoc read the document", result.stderr.decode(errors="replace"), "")
        return
    tree = json.loads(result.stdout)
    body = list(paragraphs(expectation["body"]))
    got = [p for p in pandoc_blocks(tree["blocks"]) if "".join(c for c, _ in p).strip()]
    suite.check(name + ": pandoc paragraphs", ["".join(c for c, _ in p) for p in got],
                [pandoc_view(shown_text(p)) for p in body])
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
            suite.check(name + ": pandoc run %r marks" % run["text"], sorted(marks),
                        sorted(names[k] for k in names if run[k]))

    def meta(key):
        m = tree["meta"].get(key)
        return "".join(c for c, _ in inline_chars(m["c"])) if m else ""
    suite.check(name + ": pandoc information", {k: meta(k) for k in ("title", "author", "subject")},
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
    # Paragraphs end with CR; in tables a tab separates the cells (KNOWN richedit-page:
    # the empty lines of page breaks and row ends are not paragraphs of the host's).
    lines = [line.strip("\t") for line in re.split(r"\r\n|\r|\n", text)]
    lines = [line for line in lines if line != ""]
    body = list(paragraphs(expectation["body"]))
    # KNOWN richedit-picture, drawing-text.
    suite.check(name + ": RichEdit text, paragraph by paragraph", lines,
                [shown_text(p, picture=" ") for p in body])
    # KNOWN richedit-header: no header, footer or information to compare.


# ---------------------------------------------------------------------------

def need(program, package):
    if shutil.which(program) is None:
        print("FAIL the reader %s is missing (Debian package %s)" % (program, package))
        sys.exit(1)


def main():
    corpus, work = sys.argv[1], sys.argv[2]
    for program, package in (("soffice", "libreoffice-writer-nogui"), ("pandoc", "pandoc"),
                             ("/usr/lib/wine/wine64", "wine64"), ("x86_64-w64-mingw32-gcc", "gcc-mingw-w64-x86-64")):
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
    for target in ("txt:Text (encoded):UTF8", "odt"):
        subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless", "--convert-to", target,
                        "--outdir", out] + [os.path.join(work, d) for d in documents],
                       capture_output=True, timeout=600)
    run_richedit(work, documents)

    suite = Suite()
    for e in expectations:
        name = e["document"]
        check_libreoffice(suite, e, work, name)
        check_pandoc(suite, e, work, name)
        check_richedit(suite, e, work, name)
    print("%d passed, %d failed" % (suite.passed, suite.failed))
    return 1 if suite.failed else 0


if __name__ == "__main__":
    sys.exit(main())
