#!/usr/bin/env bash
# plumeboard-tool page-text: a local page's tidied text, a PDF's text, and a
# failed load or a refused address exiting non-zero with the message.
set -euo pipefail
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
printf '<html><head><meta charset="utf-8"><title>t</title></head><body><h1>見出し</h1><p>段落の文章</p></body></html>' > "$dir/page.html"
# The engine's own options follow --webEngineArgs, as for the program: as root
# the sandbox is switched off there, without any environment variable.
if [ "$(id -u)" -eq 0 ]; then
  [ "$(env -u QTWEBENGINE_DISABLE_SANDBOX "$tool" page-text "$dir/page.html" --webEngineArgs --no-sandbox 2>/dev/null)" = "見出し  段落の文章  " ] \
    || fail "page text with --webEngineArgs --no-sandbox"
fi
help=$("$tool" --help)
grep -q -- "--webEngineArgs --no-sandbox" <<< "$help" || fail "--help does not tell the engine's options"
grep -q "store list|info|hash|check|search" <<< "$help" || fail "--help does not list store search"
# The engine's sandbox cannot start for root; only tests switch it off.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

[ "$("$tool" page-text "$dir/page.html" 2>/dev/null)" = "見出し  段落の文章  " ] || fail "page text"

printf 'ＰＤＦの本文\r\n二行目\r\n' | iconv -f UTF-8 -t CP932 > "$dir/doc.txt"
"$tool" txt2pdf "$dir/doc.txt" "$dir/doc.pdf" --width 595 2>/dev/null
"$tool" page-text "file://$dir/doc.pdf" 2>/dev/null | grep -q "ＰＤＦの本文" || fail "PDF text"

if "$tool" page-text http://127.0.0.1:1/none.html > "$dir/out.txt" 2> "$dir/err.txt"; then fail "failed load exited 0"; fi
grep -q "ページの読込みに失敗しました" "$dir/err.txt" || fail "failed load message"
if "$tool" page-text "javascript:alert(1)" 2> "$dir/err.txt"; then fail "refused address exited 0"; fi
grep -q "このアドレスは開けません" "$dir/err.txt" || fail "refused address message"
echo ok
