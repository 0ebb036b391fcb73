#!/usr/bin/env bash
# Tools that show no window link neither the stand-in host nor Qt's widgets.
set -euo pipefail
status=0
for tool in "$@"; do
    if ldd "$tool" | grep -E 'libvexa_standin|libQt6Widgets'; then
        echo "$(basename "$tool") links the host or Qt Widgets"
        status=1
    fi
done
exit $status
