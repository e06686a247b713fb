"""One document per thread. The colour indexes of black and white that new
runs, borders and cells start with are values of each thread, set by the
thread's first cDocument: create the document before its objects."""
import threading

import velloran


def write(name):
    doc = velloran.cDocument()         # first in this thread
    run = velloran.cText()             # black on white: 1 and 2
    run.Text = "Written by the thread that makes " + name
    para = velloran.cParagraph()
    para.InsertText(run)
    page = velloran.cPage()
    page.InsertParagraph(para)
    doc.InsertPage(page)
    doc.Save(name)


threads = [threading.Thread(target=write, args=(name,)) for name in ("thread-1.rtf", "thread-2.rtf")]
for t in threads:
    t.start()
for t in threads:
    t.join()
