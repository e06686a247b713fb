# PowerShell is a 64-bit host on 64-bit Windows: register x64\Velloran.dll
# (or run C:\Windows\SysWOW64\WindowsPowerShell\v1.0\powershell.exe with x86).
$doc  = New-Object -ComObject Velloran.cDocument
$run  = New-Object -ComObject Velloran.cText
$para = New-Object -ComObject Velloran.cParagraph
$page = New-Object -ComObject Velloran.cPage
$run.Text = "Hello from PowerShell"
$run.FontIndex = $doc.FontIndex("Courier New")
[void]$para.InsertText($run)
[void]$page.InsertParagraph($para)
[void]$doc.InsertPage($page)
$path = Join-Path $env:TEMP "ps.rtf"
if ($doc.Save($path)) { "wrote $path" } else { "not saved: $path" }
