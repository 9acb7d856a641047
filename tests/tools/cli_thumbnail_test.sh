#!/usr/bin/env bash
# Previews of documents in file managers: the desktop entry and the
# thumbnailer entry as installed, the PNG the tool writes through them, and
# no file and a non-zero status for documents it cannot read.
set -euo pipefail
tool="$1"
here="$(cd "$(dirname "$0")/../.." && pwd)"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Width and height of a PNG file from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d\n", $3*256+$4, $7*256+$8 }'; }

entry="$here/resources/desktop/plumeboard.thumbnailer"
mime=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$here/resources/desktop/plumeboard-mime.xml")
[ "$(head -1 "$entry")" = "[Thumbnailer Entry]" ] || fail "thumbnailer group"
grep -qx "TryExec=plumeboard-tool" "$entry" || fail "TryExec"
grep -qx "Exec=plumeboard-tool thumbnail %i %o %s" "$entry" || fail "Exec"
grep -qx "MimeType=$mime;" "$entry" || fail "thumbnailer MIME type is not the registered one ($mime)"
grep -qx "MimeType=$mime;" "$here/resources/desktop/plumeboard.desktop" || fail "desktop entry MIME type"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$here/resources/desktop/plumeboard.desktop" || fail "desktop entry is not valid"
fi

# Installed for a user: the entry runs this tool.
XDG_DATA_HOME="$dir/share" "$here/scripts/install-desktop-entry" "$tool" "$tool" > /dev/null
installed="$dir/share/thumbnailers/plumeboard.thumbnailer"
[ -f "$installed" ] || fail "thumbnailer entry not installed"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$dir/share/applications/plumeboard.desktop" || fail "installed desktop entry"
fi

"$tool" demo "$dir/chart.dat"
"$tool" pack "$dir/chart.dat" "$dir/sample.pbd" 2>/dev/null
exec_line=$(sed -n 's/^Exec=//p' "$installed")
for size in 1 128 256 1024; do
  out="$dir/t$size.png"
  cmd=${exec_line//%i/\"$dir/sample.pbd\"}
  cmd=${cmd//%o/\"$out\"}
  cmd=${cmd//%s/$size}
  eval "$cmd" 2>/dev/null || fail "thumbnail at $size"
  read -r w h < <(png_size "$out")
  [ "$w" -ge 1 ] && [ "$h" -ge 1 ] && [ "$w" -le "$size" ] && [ "$h" -le "$size" ] || fail "$size: ${w}x$h"
done
# The sample page is square and larger than 256: the preview fills the square.
[ "$(png_size "$dir/t256.png")" = "256 256" ] || fail "sample preview is not 256 x 256"

# Damaged, hostile or unreadable input: non-zero, nothing written, quickly.
head -c $(( $(stat -c %s "$dir/sample.pbd") / 2 )) "$dir/sample.pbd" > "$dir/cut.pbd"
head -c 5000 /dev/urandom > "$dir/noise.pbd"
mkdir "$dir/folder.pbd"
mkfifo "$dir/pipe.pbd"
ln -s /dev/zero "$dir/zero.pbd"
for bad in cut noise folder pipe zero missing; do
  if timeout 20 "$tool" thumbnail "$dir/$bad.pbd" "$dir/$bad.png" 128 2>/dev/null; then fail "$bad accepted"; fi
  [ ! -e "$dir/$bad.png" ] || fail "$bad wrote a picture"
done
for size in 0 -3 x 99999; do
  if "$tool" thumbnail "$dir/sample.pbd" "$dir/size.png" "$size" 2>/dev/null; then fail "size $size accepted"; fi
done
[ ! -e "$dir/size.png" ] || fail "a bad size wrote a picture"
echo "cli thumbnail: ok"
