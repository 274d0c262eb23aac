#!/usr/bin/env bash
# The bash completion of quillion-cli against the program: it offers every
# command and, after a command, every option that command's --help lists; the
# sequence types after --type; file names where a file goes.
#   completion_test.sh QUILLION_CLI COMPLETION_SCRIPT
set -u
program=$1
. "$(dirname "$0")/../support/help_text.sh"
. "$2"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# What completing the line offers, one a line; a line ending in a blank
# completes a new, empty word.
offers() {
    read -ra COMP_WORDS <<< "$1"
    [[ $1 == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _quillion_cli 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}"
}
expect() {  # LINE WORD: completing LINE offers WORD
    offers "$1" | grep -qx -- "$2" || fail "'$1' does not offer $2 (offers: $(offers "$1" | tr '\n' ' '))"
}

for command in $(help_commands "$program"); do
    expect "quillion-cli " "$command"
    for option in $(help_options "$program" "$command") --help; do
        expect "quillion-cli $command some.prj -" "$option"
    done
done
expect "quillion-cli --" --version
[[ $(offers "quillion-cli gen") == generate ]] || fail "'gen' does not complete to generate alone"
[[ $(offers "quillion-cli import-sequences a.fa --type PROT" | tr '\n' ' ') == "PROTEIN/1 PROTEIN/3 " ]] ||
    fail "--type PROT does not offer the two protein types"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/demo.prj" "$folder/demo.json"
cd "$folder"
[[ $(offers "quillion-cli generate demo.p") == demo.prj ]] || fail "a project's file name is not completed"
[[ $(offers "quillion-cli build demo.json -o demo.j") == demo.json ]] || fail "a file name after -o is not completed"

[[ $failures -eq 0 ]] && echo "the completion offers what $program --help lists"
exit $((failures > 0))
