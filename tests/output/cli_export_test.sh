#!/usr/bin/env bash
# plumeboard-tool export-pdf and export-image on the demo chart (3 pages) and its document file.
set -euo pipefail
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"  # the work folder of the export lands here
unset XDG_RUNTIME_DIR

"$tool" demo "$work/demo.chart"
"$tool" pack "$work/demo.chart" "$work/demo.pbd"

"$tool" export-pdf "$work/demo.pbd" "$work/all.pdf" --all
qpdf --check "$work/all.pdf" >/dev/null
[ "$(pdfinfo "$work/all.pdf" | awk '/^Pages:/ {print $2}')" = 3 ]
# The scratch folder of the process went with it.
[ -z "$(ls -A "$work/Plumeboard-$(id -u)")" ]

"$tool" export-pdf "$work/demo.chart" "$work/p2.pdf" --page 2
[ "$(pdfinfo "$work/p2.pdf" | awk '/^Pages:/ {print $2}')" = 1 ]

"$tool" export-image "$work/demo.pbd" "$work/page.jpeg" --zoom 150
file "$work/page.jpeg" | grep -q "1500x1500"

# Refusals: a page the document lacks, a zoom out of range, a missing file.
if "$tool" export-pdf "$work/demo.chart" "$work/x.pdf" --page 4 2>/dev/null; then exit 1; fi
if "$tool" export-image "$work/demo.chart" "$work/x.jpeg" --zoom 5 2>/dev/null; then exit 1; fi
if "$tool" export-pdf "$work/missing.chart" "$work/x.pdf" 2>/dev/null; then exit 1; fi
[ ! -e "$work/x.pdf" ] && [ ! -e "$work/x.jpeg" ]
echo ok
