"""Many documents at once from Python: one letter per task, on a pool of
threads. Save, Rtf and InsertPicture release the interpreter lock, so the
threads write in parallel; each builds its own objects."""
from concurrent.futures import ThreadPoolExecutor

import velloran


def letter(number):
    doc = velloran.cDocument()
    doc.Title = "Statement %d" % number
    run = velloran.cText()
    run.Text = "Dear customer %d, your statement is enclosed." % number
    para = velloran.cParagraph()
    para.InsertText(run)
    page = velloran.cPage()
    page.InsertParagraph(para)
    doc.InsertPage(page)
    return doc.Save("statement-%04d.rtf" % number)


with ThreadPoolExecutor(max_workers=4) as pool:
    saved = list(pool.map(letter, range(1, 201)))
if not all(saved):
    raise SystemExit("a statement was not saved")
