# Bash completion of quillion-cli: the commands, each command's options, the
# sequence types of --type, and file names everywhere else. Installed as
# share/bash-completion/completions/quillion-cli.

# One line a command: its name, then its options. A new command is one more
# line here.
_quillion_cli_commands='
build            -o --output
dump
validate         --check-missing-features
generate         --check-missing-features
workfile
import-listing   -o --output --any-generator
import-sequences --into --no-filter --type
export-st26      -o --output --choices --write-choices
verify-st26      --report
'

# The command names, or with a name that command's options.
_quillion_cli_table()
{
    local name options
    while read -r name options; do
        [[ -n $name ]] || continue
        if [[ $# -eq 0 ]]; then
            printf '%s\n' "$name"
        elif [[ $name == "$1" ]]; then
            printf '%s\n' "$options"
        fi
    done <<< "$_quillion_cli_commands"
}

_quillion_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local command='' word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        if [[ $word != -* ]]; then
            command=$word
            break
        fi
    done

    COMPREPLY=()
    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '--help --version' -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "$(_quillion_cli_table)" -- "$cur")
        fi
        return
    fi
    if [[ $prev == --type ]]; then
        mapfile -t COMPREPLY < <(compgen -W 'DNA RNA DNA/RNA PROTEIN/1 PROTEIN/3' -- "$cur")
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_quillion_cli_table "$command") --help" -- "$cur")
        return
    fi
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -F _quillion_cli quillion-cli
