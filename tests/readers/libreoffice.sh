#!/usr/bin/env bash
# Lets LibreOffice open the showcase document and checks what it understood:
# the runs' text, the page break, the header and footer, the table with its
# cells, shading and borders, and the text around the drawing.
#
#   libreoffice.sh SHOWCASE_PROGRAM WORK_FOLDER
set -euo pipefail
showcase=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"
"$showcase" showcase.rtf >/dev/null

convert() {
    soffice -env:UserInstallation="file://$work/profile" --headless --convert-to "$1" showcase.rtf >/dev/null 2>&1 || true
}
convert odt
convert 'txt:Text (encoded):UTF8'
convert pdf
# soffice exits 0 even when it could not load the file.
[ -s showcase.odt ] || { echo "LibreOffice could not open the document"; exit 1; }
[ -s showcase.txt ] || { echo "LibreOffice wrote no text"; exit 1; }

failures=0
expect() {  # expect WHAT FILE-TEXT NEEDLE
    if grep -qF -- "$3" <<<"$2"; then
        echo "ok: $1"
    else
        echo "MISSING: $1 ($3)"
        failures=$((failures + 1))
    fi
}

text=$(cat showcase.txt)
content=$(unzip -p showcase.odt content.xml)
styles=$(unzip -p showcase.odt styles.xml)

expect "title run" "$text" "Rich Text from code"
expect "formatted runs" "$text" "bold, italic, underlined, monospaced {braces} and \\backslashes\\,"
expect "Unicode text" "$text" "Ελληνικά, Русский, € 12."
expect "text after the drawing" "$text" "one group of six shapes, drawn below."
expect "table cells" "$text" "Apples"
expect "last paragraph" "$text" "The end."
expect "page break" "$content" 'fo:break-before="page"'
expect "header text" "$styles" "Velloran showcase"
expect "footer text" "$styles" "Written by Velloran"
expect "bold run" "$content" 'fo:font-weight="bold"'
expect "centred paragraph" "$content" 'fo:text-align="center"'
expect "double paragraph border" "$content" 'double #0000c0'
expect "cell shading" "$content" 'fo:background-color="#e0e0e0"'
expect "cell borders" "$content" 'solid #000000'
cells=$(grep -o '<table:table-cell ' <<<"$content" | wc -l)
if [ "$cells" -eq 9 ]; then echo "ok: nine table cells"; else echo "MISSING: nine table cells (found $cells)"; failures=$((failures + 1)); fi
expect "drawing shapes" "$content" '<draw:'
expect "text around the picture" "$text" "A picture:  a colour wheel."
# The picture survives the conversion to PDF as an image of its own.
[ -s showcase.pdf ] || { echo "LibreOffice wrote no PDF"; exit 1; }
images=$(pdfimages -list showcase.pdf | tail -n +3 | wc -l)
if [ "$images" -ge 1 ]; then echo "ok: picture in the PDF"; else echo "MISSING: picture in the PDF"; failures=$((failures + 1)); fi

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "LibreOffice read everything"
