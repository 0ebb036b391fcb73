#!/usr/bin/env bash
# Runs the drawing host on a virtual display as a user would: loads the palette module on the
# demo collections, clicks a chip, drags it into My Palette, exports My Palette as a colour book,
# saves it through the typed save dialog, loads the demo palette file, saves it over the first
# and saves a screenshot of the whole window. Skips (77) without Xvfb.
set -euo pipefail
host=$1 mkcollections=$2 screenshot=$3
command -v Xvfb >/dev/null || exit 77

. "$(dirname "$0")/virtualhost.sh"
work=$(mktemp -d)
startVirtualDisplay 91
trap 'kill "$xvfb" 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
isolateHost "$work" "$mkcollections"

# The middle card's second chip, then the middle of My Palette, in palette coordinates.
mkdir "$work/books"
status=0
# My Palette is saved by typing a name into the save dialog, then, after loading the demo palette,
# saved over the same file through the replace prompt.
# The module beside the host, named so that bundles installed on the machine stay out of it.
timeout 120 "$host" --data "$work/data" --module "$(dirname "$host")/vexapalette.so" --commands "load; wait 300; click 117 390; drag 117 390 560 480; \
    wait 300; answer $work/books/mine.acb; press Colour Book; \
    press Save; type $work/mine.palette; key Return; wait 300; \
    answer $work/data/demo.palette; press Load; wait 300; \
    press Save; type $work/mine.palette; key Return; press Yes; wait 300; \
    click 560 480; key Ctrl+Z; wait 300; \
    screenshot $screenshot; quit" \
    >"$work/host.out" || status=$?
cat "$work/host.out"
[ "$status" = 0 ] || { echo "vexa-host ended with $status"; exit 1; }
grep -qx "message 1 -> 0" "$work/host.out"
grep -qx "message 2 -> 0" "$work/host.out"
grep -rqx "RowIndex=2" "$work/config" || { echo "the clicked chip was not selected"; exit 1; }
# The colour book holds the one chip dragged into My Palette.
[ "$(grep -c "<colorEntry>" "$work/books/mine.acb")" = 1 ] || { echo "no colour book"; exit 1; }
grep -q "<colorName>VX 0002" "$work/books/mine.acb"
# The demo palette file replaced it: more cells than one hold a chip now.
# Ctrl+Z on My Palette undid the load: the one dragged chip is back alone.
[ "$(cat "$work"/config/*/*.ini | grep -c 'Entry="ItemIndex({')" = 1 ] \
    || { echo "Ctrl+Z did not undo the load"; exit 1; }
# The second save replaced the first, one chip, with the demo palette's chips.
grep -q "^dialog: .*already exists" "$work/host.out" || { echo "no replace prompt"; exit 1; }
[ "$(grep -c "<chip " "$work/mine.palette")" = "$(grep -c "<chip " "$work/data/demo.palette")" ] \
    || { echo "the typed save did not write the palette"; exit 1; }
[ -s "$screenshot" ]
