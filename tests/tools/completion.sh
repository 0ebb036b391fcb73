#!/usr/bin/env bash
# Completes vexa-inspect command lines as bash would and checks what is offered.
set -euo pipefail
completion=$1 inspect=$2
source "$completion"
offered() {
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_WORDS[0]=$inspect
    COMPREPLY=()
    _vexa_inspect
    echo "${COMPREPLY[*]}"
}
expect() {
    local got
    got=$(offered "$1")
    [[ $got == "$2" ]] || { echo "'$1' offered '$got', expected '$2'" >&2; exit 1; }
}
expect 'vexa-inspect pal' 'palette'
expect 'vexa-inspect --da' '--data'
expect 'vexa-inspect --data /tmp ha' 'harmony'
expect 'vexa-inspect palette F.palette --co' '--colorbook --collection'
expect 'vexa-inspect palette F.palette --sc' '--schedule'
expect 'vexa-inspect harmony C 0 1 --k' '--kind'
expect 'vexa-inspect collections --j' '--json'
expect 'vexa-inspect equ' 'equivalents'
# Every command the help lists is offered.
commands=$("$inspect" --help | sed -n '/^Commands:/,$ s/^  \([a-z][a-z-]*\).*/\1/p' | xargs)
[[ $(offered 'vexa-inspect ') == *"$commands"* ]] || { echo "commands missing" >&2; exit 1; }
