# bash completion for vexa-inspect. The commands and their options are read from the program's
# own --help, so completion always offers what the installed program accepts.
_vexa_inspect()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    case $prev in
    --data)
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
        ;;
    --save | --text | --colorbook | --gpl | --ase | --schedule)
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    esac
    local help command= i
    help=$("${COMP_WORDS[0]}" --help 2>/dev/null) || return
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --data) ((i++)) ;;
        -*) ;;
        *)
            command=${COMP_WORDS[i]}
            break
            ;;
        esac
    done
    local commands words
    commands=$(sed -n '/^Commands:/,$ s/^  \([a-z][a-z-]*\).*/\1/p' <<<"$help")
    if [[ -z $command ]]; then
        words="$commands $(sed '/^Commands:/,$d' <<<"$help" | grep -o -- '--[a-z][a-z-]*')"
    elif [[ $cur == -* ]]; then
        words="--json $(sed -n "/^Commands:/,\$ s/^  $command //p" <<<"$help" |
            grep -o -- '--[a-z][a-z-]*')"
    else
        # A command's own arguments are files, collections or numbers: leave them to bash.
        return
    fi
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}
complete -o default -F _vexa_inspect vexa-inspect
