#!/usr/bin/env bash
# plumeboard-tool jpg2pdf and txt2pdf: files come out sound, failures exit non-zero.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" jpg2pdf "$data/rgb-baseline.jpg" "$work/image.pdf"
qpdf --check "$work/image.pdf" >/dev/null
pdfinfo "$work/image.pdf" | grep -q "64 x 48 pts"

printf 'abc\r\n\x82\xa0\n' >"$work/in.txt"
"$tool" txt2pdf "$work/in.txt" "$work/text.pdf" --width 1000
[ "$(stat -c %s "$work/text.pdf")" = 1177 ]
pdftotext -enc UTF-8 "$work/text.pdf" - | grep -q "あ"

# Refusals: greyscale JPEG, a page too narrow, a missing width.
if "$tool" jpg2pdf "$data/grey.jpg" "$work/grey.pdf" 2>"$work/err"; then exit 1; fi
grep -q "\[Get Size\]" "$work/err"
[ ! -e "$work/grey.pdf" ]
if "$tool" txt2pdf "$work/in.txt" "$work/narrow.pdf" --width 60 2>/dev/null; then exit 1; fi
[ ! -e "$work/narrow.pdf" ]
if "$tool" txt2pdf "$work/in.txt" "$work/x.pdf" --width abc 2>/dev/null; then exit 1; fi
echo ok
