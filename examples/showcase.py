"""Writes the showcase document from Python: the same bytes as the C++ showcase.

Two pages with a header and a footer, formatted runs, a bordered and shaded
table, a drawing of every shape and a picture.

    python3 showcase.py [output.rtf]
"""
import math
import os
import struct
import sys
import tempfile

import velloran
from velloran import (aCenter, aJustified, aLeft, aRight, bDouble, cCell, cDocument, cDrawing, cDrawingText,
                      cEllipse, cLine, cPage, cParagraph, cPicture, cPoint, cPolygon, cPolyline, cRect, cText)


def run(text, font=0, color=0):
    t = cText()
    t.FontIndex = font
    if color:
        t.ForeColorIndex = color
    t.Text = text
    return t


def paragraph(text, align=aLeft):
    p = cParagraph()
    p.Align = align
    p.InsertText(text)
    return p


# The six shapes in a row below the first line of their paragraph (TOP twips
# down), which leaves them room with its space after.
TOP = 600


def all_shapes():
    drawing = cDrawing()
    line = cLine()
    line.y1, line.x2, line.y2, line.PenRGBColor = TOP, 1440, TOP + 720, 0x0000FF
    drawing.InsertLine(line)
    rect = cRect()
    rect.x, rect.y, rect.Width, rect.Height = 1700, TOP, 1200, 720
    rect.FillForeRGBColor = rect.FillBackRGBColor = 0xFFCC99
    rect.FillPattern = 1
    drawing.InsertRect(rect)
    ellipse = cEllipse()
    ellipse.x, ellipse.y, ellipse.Width, ellipse.Height = 3100, TOP, 720, 720
    ellipse.FillForeRGBColor = ellipse.FillBackRGBColor = 0x00CC00
    ellipse.FillPattern = 1
    drawing.InsertEllipse(ellipse)
    polyline, polygon, point = cPolyline(), cPolygon(), cPoint()
    for point.x, point.y in [(4000, TOP + 720), (4400, TOP), (4800, TOP + 720), (5200, TOP)]:
        polyline.InsertPoint(point)
    for point.x, point.y in [(5600, TOP + 720), (6000, TOP), (6400, TOP + 720)]:
        polygon.InsertPoint(point)
    polygon.FillForeRGBColor = polygon.FillBackRGBColor = 0x3399FF
    polygon.FillPattern = 1
    drawing.InsertPolyline(polyline)
    drawing.InsertPolygon(polygon)
    box = cDrawingText()
    box.x, box.y, box.Width, box.Height = 6800, TOP, 2000, 720
    box.Text = run("A text box")
    drawing.InsertText(box)
    return drawing


def write_wheel(path, w, h):
    """A 24-bit BMP file of a colour wheel on white, w x h pixels."""
    stride = (w * 3 + 3) & ~3
    pixels = bytearray(stride * h)
    for y in range(h):
        for x in range(w):
            dx, dy = x - w / 2.0, y - h / 2.0
            r = math.hypot(dx, dy) / (h / 2.0)
            a = math.atan2(dy, dx)
            at = y * stride + x * 3
            for i, phase in enumerate((4.19, 2.09, 0)):
                pixels[at + i] = 255 if r > 1 else int(127.5 + 127.5 * math.cos(a + phase))
    header = b"BM" + struct.pack("<IHHIIiiHHIIiiII", 54 + len(pixels), 0, 0, 54, 40, w, h, 1, 24, 0, 0, 0, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(header + pixels)


def build():
    doc = cDocument()
    doc.Title = "Velloran showcase"
    doc.Author = "Velloran"
    doc.PageNumbersOn = True
    serif = doc.FontIndex("Times New Roman")
    mono = doc.FontIndex("Courier New")
    red = doc.ColorIndex(0x0000C0)
    blue = doc.ColorIndex(0xC00000)
    shade = doc.ColorIndex(0xE0E0E0)

    doc.Header = paragraph(run("Velloran showcase \u2014 header"), aCenter)
    doc.Footer = paragraph(run("Written by Velloran \u2014 footer"), aRight)

    first = cPage()
    title = run("Rich Text from code", serif)
    title.Height = 20
    title.Bold = True
    first.InsertParagraph(paragraph(title, aCenter))

    body = cParagraph()
    body.Align = aJustified
    body.SpaceAfter = 120
    body.InsertText(run("Runs carry their own formatting: "))
    bold = run("bold, ")
    bold.Bold = True
    body.InsertText(bold)
    italic = run("italic, ", 0, red)
    italic.Italic = True
    body.InsertText(italic)
    under = run("underlined, ", 0, blue)
    under.Underline = True
    body.InsertText(under)
    body.InsertText(run("monospaced {braces} and \\backslashes\\, ", mono))
    body.InsertText(run("and text in any script: \u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac, "
                        "\u0420\u0443\u0441\u0441\u043a\u0438\u0439, \u20ac 12."))
    first.InsertParagraph(body)

    boxed = paragraph(run("A paragraph with a double border."))
    boxed.Border.TopVisible = boxed.Border.BottomVisible = True
    boxed.Border.LeftVisible = boxed.Border.RightVisible = True
    boxed.Border.BorderType = bDouble
    boxed.Border.BorderColorIndex = blue
    boxed.IndentLeft, boxed.IndentRight, boxed.SpaceBefore = 720, 720, 240
    first.InsertParagraph(boxed)

    shapes = cParagraph()
    shapes.SpaceBefore, shapes.SpaceAfter = 240, 1400
    shapes.InsertText(run("Shapes: "))
    shapes.InsertDrawing(all_shapes())
    shapes.InsertText(run(" one group of six shapes, drawn below."))
    first.InsertParagraph(shapes)
    doc.InsertPage(first)

    second = cPage()
    second.InsertParagraph(paragraph(run("A table", serif)))
    names = [["Item", "Count", "Price"], ["Apples", "3", "1.20"], ["Pears", "5", "2.50"]]
    rows = []
    for r, line in enumerate(names):
        row = []
        for c, name in enumerate(line):
            cell = cCell()
            cell.Width = 3000 if c == 0 else 1500
            text = run(name)
            if r == 0:
                cell.BackColorIndex = shade
                text.Bold = True
            cell.InsertParagraph(paragraph(text, aLeft if c == 0 else aRight))
            row.append(cell)
        rows.append(row)
    second.InsertTable(rows)
    # A picture, converted to a metafile and embedded in the paragraph.
    handle, wheel = tempfile.mkstemp(prefix="velloran-showcase-wheel", suffix=".bmp")
    os.close(handle)
    write_wheel(wheel, 160, 120)
    picture = cPicture()
    picture.File = wheel
    picture.Border.TopVisible = picture.Border.BottomVisible = True
    picture.Border.LeftVisible = picture.Border.RightVisible = True
    pictured = paragraph(run("A picture: "))
    pictured.SpaceBefore = 240
    try:
        pictured.InsertPicture(picture)
    finally:
        os.remove(wheel)
    pictured.InsertText(run(" a colour wheel."))
    second.InsertParagraph(pictured)
    second.InsertParagraph(paragraph(run("The end.")))
    doc.InsertPage(second)
    return doc


def main(argv):
    path = argv[1] if len(argv) > 1 else "showcase.rtf"
    try:
        doc = build()
        if not doc.Save(path):
            print(f"showcase: {path} was not written", file=sys.stderr)
            return 1
    except velloran.Error as e:
        print(f"showcase: {e}", file=sys.stderr)
        return 1
    print(f"wrote {path} ({doc.LastPage} pages)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
