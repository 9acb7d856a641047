#!/usr/bin/env bash
# plumeboard-tool print and export-word: sheets counted with pdfinfo and
# looked at with pdftoppm; the ODF text document's content.xml read back.
set -euo pipefail
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }

"$tool" demo "$work/demo.chart"
"$tool" pack "$work/demo.chart" "$work/demo.pbd"

# The demo's 1000 x 1000 first page on A4 portrait with 25/10/25/10: 2 x 2 sheets.
[ "$("$tool" print "$work/demo.pbd" "$work/all.pdf" --page 1)" = "2 2" ]
[ "$(pages "$work/all.pdf")" = 4 ]
pdfinfo "$work/all.pdf" | grep -q "595 x 842 pts"

# Landscape A3, wide margins, one sheet of a range; the whole page on one sheet.
[ "$("$tool" print "$work/demo.chart" "$work/a3.pdf" --paper 8 --orientation 2 --margins 50,50,50,50 --range 2-2)" = "1 2" ]
[ "$(pages "$work/a3.pdf")" = 1 ]
pdfinfo "$work/a3.pdf" | grep -q "1191 x 842 pts"
[ "$("$tool" print "$work/demo.chart" "$work/one.pdf" --all-one --range 3-5)" = "1 1" ]
[ "$(pages "$work/one.pdf")" = 1 ]
# An unknown orientation prints portrait; the current sheet alone.
[ "$("$tool" print "$work/demo.chart" "$work/cur.pdf" --orientation 0 --range current --sheet 4)" = "2 2" ]
pdfinfo "$work/cur.pdf" | grep -q "595 x 842 pts"
[ "$(pages "$work/cur.pdf")" = 1 ]

# The one-sheet print shows the chart; a sheet beyond the chart's items is blank.
pdftoppm -r 10 -gray -singlefile "$work/one.pdf" "$work/one"
pdftoppm -r 10 -gray -singlefile "$work/cur.pdf" "$work/cur"
dark() { tail -c +16 "$1" | od -An -tu1 -v | tr -s ' ' '\n' | awk '$1 != "" && $1 < 200' | wc -l; }
[ "$(dark "$work/one.pgm")" -gt 20 ]

# Refusals: bad options, a page the document lacks.
if "$tool" print "$work/demo.chart" "$work/x.pdf" --margins 1,2 2>/dev/null; then exit 1; fi
if "$tool" print "$work/demo.chart" "$work/x.pdf" --page 9 2>/dev/null >/dev/null; then exit 1; fi
[ ! -e "$work/x.pdf" ]

# export-word: a PDF with text; formatted keeps lines and pages, text-only joins the lines.
printf 'first line\r\nsecond line\r\n' > "$work/text.txt"
for i in $(seq 1 80); do printf 'filler %d\r\n' "$i" >> "$work/text.txt"; done
"$tool" txt2pdf "$work/text.txt" "$work/text.pdf" --width 595 >/dev/null
[ "$(pages "$work/text.pdf")" -ge 2 ]
"$tool" export-word "$work/text.pdf" "$work/doc.odt"
unzip -p "$work/doc.odt" content.xml > "$work/content.xml"
grep -q ">first line<" "$work/content.xml"
grep -q ">second line<" "$work/content.xml"
[ "$(grep -o 'fo:break-before="page"' "$work/content.xml" | wc -l)" -ge 1 ]
"$tool" export-word "$work/text.pdf" "$work/plain.odt" --text-only
unzip -p "$work/plain.odt" content.xml > "$work/plain.xml"
grep -q "first line second line" "$work/plain.xml"
if grep -q 'fo:break-before="page"' "$work/plain.xml"; then exit 1; fi
if "$tool" export-word "$work/demo.chart" "$work/x.odt" 2>/dev/null; then exit 1; fi
if command -v soffice >/dev/null; then
  soffice --headless --convert-to txt --outdir "$work" "$work/doc.odt" >/dev/null
  grep -q "second line" "$work/doc.txt"
fi
echo ok
