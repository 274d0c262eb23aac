#!/usr/bin/env bash
# A manual page against the program it describes: every command and option
# the program's --help lists is described (a command's options in that
# command's section), the page describes no command or option the program
# lacks, names the program's version, says what the exit codes are and which
# files are written, and formats without a warning.
#   man_page_test.sh PROGRAM PAGE
set -u
program=$1 page=$2
. "$(dirname "$0")/../support/help_text.sh"

failures=0
fail() { echo "FAIL: $page: $*"; failures=$((failures + 1)); }

export LC_ALL=C.UTF-8 MANWIDTH=250
warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "formats with warnings: $warnings"
# Not a terminal: man gives plain text, headings at the margin, subsections
# indented by three blanks, the rest by seven or more.
text=$(man -E UTF-8 -l "$page" 2>/dev/null)

# The lines of a section (a heading at the margin) or of a subsection.
section() { awk -v h="$1" '$0 == h { on = 1; next } /^[^ ]/ { on = 0 } on' <<< "$text"; }
subsection() { awk -v c="$2" '/^   [^ ]/ { on = ($1 == c); next } on' <<< "$(section "$1")"; }
# The options a piece of the page describes in its tagged paragraphs.
described_options() { grep -E '^       -' | grep -oE -- '(^|[ ,])--?[a-z][-a-z0-9]*' | tr -d ' ,' | grep -vxE -- '-h|--help'; }
mentions() { grep -qE -- "(^|[^-a-z0-9])$1([^-a-z0-9]|\$)"; }

version=$("$program" --version | grep -oE '[0-9]+(\.[0-9]+)+')
[[ $(tail -n 1 <<< "$text") == *"Quillion $version"* ]] || fail "does not name version $version"
for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES "SEE ALSO"; do
    grep -qx "$heading" <<< "$text" || fail "has no $heading section"
done

for option in $(help_options "$program"); do
    section OPTIONS | mentions "$option" || fail "OPTIONS does not describe $option"
done
for option in $(section OPTIONS | described_options); do
    help_options "$program" | grep -qx -- "$option" || fail "describes $option, which $program does not offer"
done

commands=$(help_commands "$program")
for command in $commands; do
    described=$(subsection COMMANDS "$command")
    [[ -n $described ]] || { fail "COMMANDS does not describe $command"; continue; }
    grep -q "Exit status" <<< "$described" || fail "$command: no exit status"
    for option in $(help_options "$program" "$command"); do
        mentions "$option" <<< "$described" || fail "$command: does not describe $option"
    done
    for option in $(described_options <<< "$described"); do
        help_options "$program" "$command" | grep -qx -- "$option" || fail "$command: describes $option, which it does not offer"
    done
done
for command in $(section COMMANDS | awk '/^   [^ ]/ { print $1 }'); do
    grep -qx -- "$command" <<< "$commands" || fail "describes the command $command, which $program does not offer"
done

[[ $failures -eq 0 ]] && echo "$page matches $program --help"
exit $((failures > 0))
