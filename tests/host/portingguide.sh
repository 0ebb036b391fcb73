#!/usr/bin/env bash
# Every platform function the module calls is named in the porting guide: the module's
# undefined symbols that the stand-in host defines, by their unqualified names.
set -euo pipefail
module=$1 standin=$2 guide=$3

called=$(comm -12 <(nm -D --undefined-only "$module" | awk '{print $NF}' | sort -u) \
                  <(nm -D --defined-only "$standin" | awk '{print $NF}' | sort -u) |
         c++filt | grep '(' | sed -E 's/\(.*//; s/.*:://; s/^~//' | sort -u)
[ -n "$called" ] || { echo "no platform calls found in $module"; exit 1; }
missing=0
for name in $called; do
    grep -qw -- "$name" "$guide" || { echo "not in the porting guide: $name"; missing=1; }
done
exit $missing
