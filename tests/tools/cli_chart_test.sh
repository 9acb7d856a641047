#!/usr/bin/env bash
# plumeboard-tool end to end: demo, dump, rewrite and the refusal of bad files.
set -euo pipefail
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$tool" demo "$dir/demo.dat"
"$tool" dump "$dir/demo.dat" > "$dir/demo.json"
grep -q '"pageName": "調査メモ"' "$dir/demo.json" || fail "Japanese page name missing from dump"
grep -q '"type": "JPEG"' "$dir/demo.json" || fail "picture type missing from dump"
[ "$(grep -c '"nodeId"' "$dir/demo.json")" -ge 6 ] || fail "too few nodes in dump"

# rewrite keeps a version 2 file byte for byte
"$tool" rewrite "$dir/demo.dat" "$dir/again.dat"
cmp "$dir/demo.dat" "$dir/again.dat" || fail "rewrite changed a version 2 file"

# a file that is not a chart: message on stderr, non-zero status, no output file
printf 'not a chart' > "$dir/bad.dat"
if "$tool" rewrite "$dir/bad.dat" "$dir/out.dat" 2> "$dir/err.txt"; then fail "bad file accepted"; fi
grep -q 'ファイル形式が異なります' "$dir/err.txt" || fail "message missing: $(cat "$dir/err.txt")"
[ ! -e "$dir/out.dat" ] || fail "output written for a bad input"

# a missing file and a bad command line
if "$tool" dump "$dir/none.dat" 2>/dev/null; then fail "missing file accepted"; fi
if "$tool" frobnicate 2>/dev/null; then fail "unknown command accepted"; fi
# store search with all its options is a command line the tool accepts
mkdir -p "$dir/store/PLUMEDATA"
"$tool" store search "$dir/store" --type 0 --from 2020.01.01 --to 2026.12.31 --text 資料 --hit-max 500 \
  > /dev/null 2>&1 || fail "store search with its options refused"
echo "cli chart commands: ok"
