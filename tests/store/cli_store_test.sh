#!/usr/bin/env bash
# plumeboard-tool store: list, info, hash and check on a small hand-made store.
set -euo pipefail
tool="$1"
data="$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_RUNTIME_DIR="$dir/run"  # the user's settings must not name this store

mkdir -p "$dir/run" && chmod 700 "$dir/run"
root="$dir/Data/PLUMEDATA"
mkdir -p "$root/KANRI/12" "$root/KANRI/07" "$root/JPEG/12" "$root/TXT/12"
cp "$data/info-reference.xml" "$root/KANRI/12/00000012.xml"
cp "$data/info-without-sha256.xml" "$root/KANRI/07/00000007.xml"
printf 'abc' > "$root/JPEG/12/00000012.JPEG"
printf 'related\r\n' > "$root/TXT/12/00000012.txt"

# list: one JSON line per information file, in serial order, text in UTF-8
"$tool" store list "$dir/Data" > "$dir/list.json"
[ "$(wc -l < "$dir/list.json")" -eq 2 ] || fail "expected two rows: $(cat "$dir/list.json")"
head -1 "$dir/list.json" | grep -q '"serial":"00000007"' || fail "rows not in serial order"
tail -1 "$dir/list.json" | grep -q '"title":"表&<b> 調査メモ"' || fail "title not converted: $(tail -1 "$dir/list.json")"
tail -1 "$dir/list.json" | grep -q '"size":123456' || fail "size missing"
# a counter below a material hides it, as the search would
[ "$("$tool" store list "$dir/Data" --next 8 | wc -l)" -eq 1 ] || fail "--next not honoured"

# info: owners, data file and the related text under its lower-case name
"$tool" store info "$dir/Data/PLUMEDATA" 12 > "$dir/info.json"
grep -q '"ownerPaths":\["/home/user/資料/plan.pbd"\]' "$dir/info.json" || fail "owners: $(cat "$dir/info.json")"
grep -q '"dataFileExists":true' "$dir/info.json" || fail "data file not found"
grep -q '00000012.txt"' "$dir/info.json" || fail "related text not found"
if "$tool" store info "$dir/Data" 13 2>/dev/null; then fail "missing material accepted"; fi

# hash: upper-case hex, same digest as sha256sum
[ "$("$tool" store hash "$root/JPEG/12/00000012.JPEG")" = \
  "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD" ] || fail "hash of abc"
if "$tool" store hash "$dir/none" 2>/dev/null; then fail "missing file hashed"; fi

# check: the counter against the information files, and nothing written
before=$(find "$dir" | sort | md5sum)
"$tool" store check "$dir/Data" --next 13 | grep -q '"status":"ok"' || fail "next 13 should pass"
out=$("$tool" store check "$dir/Data" --next 12 || true)
echo "$out" | grep -q '"status":"unsafe"' || fail "next 12 would overwrite: $out"
out=$("$tool" store check "$dir/Data" --next 20 || true)
echo "$out" | grep -q '"expectedNext":"00000013"' || fail "expected next: $out"
[ "$(find "$dir" | sort | md5sum)" = "$before" ] || fail "check changed the store"

# search: the search list's columns, the text filter and the hit limit on standard error
"$tool" store search "$dir/Data" > "$dir/search.json" 2> "$dir/search.err"
[ "$(wc -l < "$dir/search.json")" -eq 2 ] || fail "search rows: $(cat "$dir/search.json")"
tail -1 "$dir/search.json" | grep -q '"no":"2","type":"JPEG","serial":"00000012","title":"表&<b> 調査メモ","sizeKB":"120"' \
  || fail "search columns: $(tail -1 "$dir/search.json")"
[ "$("$tool" store search "$dir/Data" --text 調査 | wc -l)" -eq 1 ] || fail "text filter"
[ "$("$tool" store search "$dir/Data" --text related | wc -l)" -eq 1 ] || fail "related text filter"
"$tool" store search "$dir/Data" --hit-max 1 > "$dir/one.json" 2> "$dir/one.err" || fail "hit limit is no failure"
[ "$(wc -l < "$dir/one.json")" -eq 1 ] && grep -q "ヒット件数が制限を超えました" "$dir/one.err" || fail "hit limit"
if "$tool" store search "$dir/Data" --type 9 2>/dev/null; then fail "bad type accepted"; fi
# every option at once
"$tool" store search "$dir/Data" --type 2 --from 2000.01.01 --to 2099.12.31 --text 調査 --hit-max 5 > "$dir/all.json" \
  || fail "all options together refused"
[ "$(wc -l < "$dir/all.json")" -eq 1 ] || fail "all options: $(cat "$dir/all.json")"

# register: a new picture node takes the user's stored title position
mkdir -p "$XDG_CONFIG_HOME/Wendmoor"
printf '[SUB]\nTitlePos=0\n' > "$XDG_CONFIG_HOME/Wendmoor/Plumeboard.ini"
cp "$data/../capture/rgb-baseline.jpg" "$dir/photo.jpg"
"$tool" register "$dir/doc.pbd" "$dir/photo.jpg" --store "$dir/Data" > /dev/null || fail "register"
"$tool" dump "$dir/doc.pbd" | grep -q '"titlePos": 0' || fail "stored title position not used"

if "$tool" store list "$dir/nothing" 2>/dev/null; then fail "missing store accepted"; fi
if "$tool" store frob "$dir/Data" 2>/dev/null; then fail "unknown subcommand accepted"; fi
echo "cli store commands: ok"
