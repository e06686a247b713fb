' Refusals come back as False; faults as automation errors with their
' number. A call that fails leaves its target as it was.
Set doc = CreateObject("Velloran.cDocument")
Set page = CreateObject("Velloran.cPage")

refused = Not doc.InsertPage(Nothing) And Not doc.Save("")  ' nothing to insert, no path

On Error Resume Next
Dim row(2)                             ' one dimension: not a table
page.InsertTable row
WScript.Echo Err.Number & " " & Err.Description  ' 9 Subscript out of range
Err.Clear
Dim cells(2, 1)                        ' cell (2, 1) is left empty
Set cells(1, 1) = CreateObject("Velloran.cCell")
page.InsertTable cells
WScript.Echo Err.Number & " " & Err.Description  ' 91 Object variable or ...
Err.Clear
doc.Save "no-such-folder\errors.rtf"
WScript.Echo Err.Number & " " & Err.Description  ' 76 Path not found
Err.Clear
On Error GoTo 0

doc.InsertPage page                    ' the page is still empty
If Not (refused And doc.Save("errors.rtf")) Then WScript.Echo "not saved"
