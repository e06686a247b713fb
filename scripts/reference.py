"""The reference pages (docs/reference/*.md) as the generators and checks
read them: each class's member table, a row a member.

    import reference
    rows = reference.rows("cText")   # {"Bold": ({"Field": ..., "Type": ...}, None, "")}

and each enumeration's first sentence, its description.
"""
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return f.read()


def rows(cls):
    """The member table rows of a class's reference page: {member: (row, params, note)}, the row a
    {column: cell} dict, params the text between the parentheses of a method, note what follows the
    name ("(write-only)", "(1.3)"); None when the page is missing."""
    path = os.path.join(ROOT, "docs", "reference", cls + ".md")
    if not os.path.exists(path):
        return None
    rows = {}
    header = None
    for line in read(path).split("\n"):
        if not line.startswith("|"):
            header = None
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if cells[0] in ("Field", "Member"):
            header = cells
            continue
        if header is None or set(line) <= set("|-: "):
            continue
        m = re.match(r"`(\w+)(?:\(([^)]*)\))?`(.*)", cells[0])
        if m:
            rows[m.group(1)] = (dict(zip(header, cells)), m.group(2), m.group(3))
    return rows


def enumeration_descriptions():
    """{enumeration: the first sentence under its heading in enumerations.md, without markup}."""
    out = {}
    name = None
    for line in read("docs/reference/enumerations.md").split("\n"):
        m = re.match(r"## (vlRTF\w+)$", line)
        if m:
            name = m.group(1)
            continue
        if name and line.strip():
            text = re.sub(r"\[([^]]*)\]\([^)]*\)", r"\1", line).replace("`", "").strip()
            out[name] = re.split(r"(?<=[a-z0-9)])\. ", text)[0].rstrip(".") + "."
            name = None
    return out
