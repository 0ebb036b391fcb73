#!/usr/bin/env bash
# Installs the build into a scratch prefix, moves the installed tree elsewhere and runs it there
# as a fresh user with no data folder options: the host must find its module through the bundle
# and the collections beside itself, the inspection tool the same collections.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
mkdir -p "$work/home" "$work/runtime" && chmod 700 "$work/runtime"
user=(env -i "HOME=$work/home" "PATH=/usr/bin:/bin" "XDG_RUNTIME_DIR=$work/runtime"
      "XDG_DATA_DIRS=$work/none" QT_QPA_PLATFORM=offscreen "ASAN_OPTIONS=${ASAN_OPTIONS:-}"
      "LSAN_OPTIONS=${LSAN_OPTIONS:-}" "UBSAN_OPTIONS=${UBSAN_OPTIONS:-}")
"${user[@]}" "$work/moved/bin/vexa-host" --commands "quit" | tee "$work/host.log"
grep -qx 'message 1 -> 0' "$work/host.log"
"${user[@]}" "$work/moved/bin/vexa-inspect" collections | grep -q .
