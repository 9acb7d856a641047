#!/usr/bin/env bash
# plumeboard-tool with document files: pack, unpack, dump and rewrite of .pbd,
# checked against the gcab and cabextract tools when they are installed.
set -euo pipefail
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export TMPDIR="$dir/tmp"
mkdir -p "$TMPDIR"
fail() { echo "FAIL: $*"; exit 1; }

"$tool" demo "$dir/demo.dat"
cd "$dir"
"$tool" pack demo.dat plan.pbd               # relative paths are fine
"$tool" dump plan.pbd > plan.json
"$tool" dump demo.dat > demo.json
cmp plan.json demo.json || fail "dump of the packed document differs"

# unpack gives the data file under the document's name
mkdir out
"$tool" unpack plan.pbd out > listed.txt
grep -q "out/plan.pbd$" listed.txt || fail "unpack listing: $(cat listed.txt)"
cmp demo.dat out/plan.pbd || fail "unpacked data file differs"

# rewrite .pbd -> .PBD (any case) and over an existing document keeps a backup
"$tool" rewrite plan.pbd copy.PBD
"$tool" rewrite demo.dat copy.PBD
[ -e "copy(back).PBD" ] || fail "no backup made"
"$tool" dump copy.PBD | cmp - demo.json || fail "rewritten document differs"

if command -v gcab > /dev/null; then
  mkdir g && (cd g && gcab -x ../plan.pbd > /dev/null) || fail "gcab cannot read our document"
  cmp demo.dat g/plan.pbd || fail "gcab extracted other bytes"
  cp demo.dat theirs.pbd && gcab -c -z made.pbd theirs.pbd && rm theirs.pbd
  "$tool" dump made.pbd | cmp - demo.json || fail "a gcab cabinet does not open"
fi
if command -v cabextract > /dev/null; then
  cabextract -q -d c plan.pbd && cmp demo.dat c/plan.pbd || fail "cabextract disagrees"
fi

# refusals: not a cabinet, not a chart inside, missing file
printf 'not a cabinet' > bad.pbd
if "$tool" dump bad.pbd 2> err.txt; then fail "non-cabinet accepted"; fi
grep -q '\[File Copy\]' err.txt && grep -q 'ファイルの展開に失敗しました' err.txt || fail "message: $(cat err.txt)"
printf 'not a chart' > notchart.dat
if "$tool" pack notchart.dat np.pbd 2> err.txt; then fail "non-chart packed"; fi
[ ! -e np.pbd ] || fail "document written for a bad chart"
if "$tool" unpack none.pbd out 2> err.txt; then fail "missing document unpacked"; fi
# Output that cannot be written is an error, not a success; a FIFO is not read.
if "$tool" dump plan.pbd > /dev/full 2> err.txt; then fail "dump into a full disk succeeded"; fi
mkfifo pipe.dat
for cmd in "dump pipe.dat" "render pipe.dat out.png" "export-pdf pipe.dat out.pdf" "export-image pipe.dat out.jpeg" \
           "print pipe.dat out.pdf"; do
  # shellcheck disable=SC2086
  if timeout 20 "$tool" $cmd > /dev/null 2> err.txt; then fail "a FIFO was read: $cmd"; fi
  grep -q "通常のファイルではない" err.txt || fail "no message for a FIFO: $cmd"
done
echo "cli pack commands: ok"
