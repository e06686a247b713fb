"""The whole workloads of velloran_workload, written from Python: the same
calls, the same bytes (bench/whole-runs compares the two, run by run).

    python3 bench/workload.py paragraphs N OUT | table ROWS OUT | table-rows ROWS OUT | table-values ROWS OUT
    python3 bench/workload.py paragraphs-as-written N OUT | paragraphs-by-keywords N OUT
                              (the paragraphs with a new run for each, fields set one by one or by keywords)
"""
import sys
import time

import velloran


def paragraphs(doc, count):
    page = velloran.cPage()
    plain, bold, coloured = velloran.cText(), velloran.cText(), velloran.cText()
    bold.Bold = True
    coloured.ForeColorIndex = doc.ColorIndex(0x0000FF)
    for _ in range(count):
        plain.Text = "The quick brown fox {jumps} over "
        bold.Text = "the lazy dog\tand \\ its friend "
        coloured.Text = "\u03b1\u03b2\u03b3 caf\u00e9 \u2022 done.\r\n"
        para = velloran.cParagraph()
        para.InsertText(plain)
        para.InsertText(bold)
        para.InsertText(coloured)
        page.InsertParagraph(para)
    doc.InsertPage(page)


def paragraphs_as_written(doc, count):
    """The same paragraphs as report code writes them: a new run for each,
    its five fields (text, bold, italic, font, colour) set one by one."""
    page = velloran.cPage()
    blue = doc.ColorIndex(0x0000FF)
    black = velloran.cText().ForeColorIndex
    cText = velloran.cText
    for _ in range(count):
        para = velloran.cParagraph()
        run = cText()
        run.Text = "The quick brown fox {jumps} over "
        run.Bold = False
        run.Italic = False
        run.FontIndex = 0
        run.ForeColorIndex = black
        para.InsertText(run)
        run = cText()
        run.Text = "the lazy dog\tand \\ its friend "
        run.Bold = True
        run.Italic = False
        run.FontIndex = 0
        run.ForeColorIndex = black
        para.InsertText(run)
        run = cText()
        run.Text = "\u03b1\u03b2\u03b3 caf\u00e9 \u2022 done.\r\n"
        run.Bold = False
        run.Italic = False
        run.FontIndex = 0
        run.ForeColorIndex = blue
        para.InsertText(run)
        page.InsertParagraph(para)
    doc.InsertPage(page)


def paragraphs_by_keywords(doc, count):
    """The same paragraphs with the five fields given to each run's constructor."""
    page = velloran.cPage()
    blue = doc.ColorIndex(0x0000FF)
    black = velloran.cText().ForeColorIndex
    cText = velloran.cText
    for _ in range(count):
        para = velloran.cParagraph()
        para.InsertText(cText(Text="The quick brown fox {jumps} over ", Bold=False, Italic=False, FontIndex=0,
                              ForeColorIndex=black))
        para.InsertText(cText(Text="the lazy dog\tand \\ its friend ", Bold=True, Italic=False, FontIndex=0,
                              ForeColorIndex=black))
        para.InsertText(cText(Text="\u03b1\u03b2\u03b3 caf\u00e9 \u2022 done.\r\n", Bold=False, Italic=False,
                              FontIndex=0, ForeColorIndex=blue))
        page.InsertParagraph(para)
    doc.InsertPage(page)


def table_row(r, grey, text):
    """Row r of ten cells, each holding one paragraph, every other row shaded."""
    row = []
    for _ in range(10):
        cell = velloran.cCell()
        cell.Width = 1000
        if r % 2 == 0:
            cell.BackColorIndex = grey
        para = velloran.cParagraph()
        para.InsertText(text)
        cell.InsertParagraph(para)
        row.append(cell)
    return row


def table_text():
    text = velloran.cText()
    text.Text = "cell text"
    return text


def table(doc, rows):
    grey, text = doc.ColorIndex(0xDDDDDD), table_text()
    cells = [table_row(r, grey, text) for r in range(1, rows + 1)]
    page = velloran.cPage()
    page.InsertTable(cells)
    del cells
    doc.InsertPage(page)


def table_rows(doc, rows):
    """The same table a row at a time, each row's cells dropped once in the page."""
    grey, text = doc.ColorIndex(0xDDDDDD), table_text()
    page = velloran.cPage()
    for r in range(1, rows + 1):
        page.InsertTable([table_row(r, grey, text)])
    doc.InsertPage(page)


def table_values(doc, rows):
    """The same table's text from a list of rows of values, in one call."""
    page = velloran.cPage()
    for _ in range(10):
        page.AddTableColumn(1000)
    page.InsertRows([["cell text"] * 10 for _ in range(rows)])
    doc.InsertPage(page)


def main():
    kind, count, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    start = time.perf_counter()
    doc = velloran.cDocument()
    {"paragraphs": paragraphs, "paragraphs-as-written": paragraphs_as_written,
     "paragraphs-by-keywords": paragraphs_by_keywords, "table": table, "table-rows": table_rows,
     "table-values": table_values}[kind](doc, count)
    if not doc.Save(out):
        sys.exit(1)
    # The work's own time, as the C++ program prints it: the interpreter's
    # start and the module's import left out.
    print(f"seconds={time.perf_counter() - start:.4f}")


if __name__ == "__main__":
    main()
