"""Refusals come back as False; faults as velloran.Error with the automation
error number. A call that fails leaves its target as it was."""
import velloran

doc = velloran.cDocument()
page = velloran.cPage()

refused = doc.InsertPage(None) is False and doc.Save("") is False  # nothing to insert, no path
try:
    page.InsertTable(velloran.CellArray([(1, 2)]))     # one dimension: not a table
except velloran.Error as e:
    print(e.number, e)                                 # 9 Subscript out of range
try:
    page.InsertTable([[velloran.cCell(), None]])       # cell (2, 1) is empty
except velloran.Error as e:
    print(e.number, e)                                 # 91 Object variable or ...
try:
    doc.Save("no-such-folder/errors.rtf")
except velloran.Error as e:
    print(e.number, e)                                 # 76 Path not found

doc.InsertPage(page)                                   # the page is still empty
if not (refused and doc.Save("errors.rtf")):
    raise SystemExit("not saved")
