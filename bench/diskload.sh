#!/bin/sh
# Another program busy with the disk: writes RATE MB (default 100) to FILE every second with
# direct I/O, past the page cache, until stopped. Each second it prints how long the write took;
# above 1000 ms the disk could not keep up with RATE.
# Usage: bench/diskload.sh [FILE] [RATE]
file=${1:-/tmp/vexa-diskload}
rate=${2:-100}
trap 'rm -f "$file"; exit 0' INT TERM EXIT
while :; do
    start=$(date +%s%N)
    dd if=/dev/zero of="$file" bs=1M count="$rate" oflag=direct status=none
    elapsed=$((($(date +%s%N) - start) / 1000000))
    echo "$rate MB in $elapsed ms"
    [ "$elapsed" -lt 1000 ] && sleep "0.$(printf %03d $((1000 - elapsed)))"
done
