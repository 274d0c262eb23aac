# Reading a program's --help, for the tests that check what is written about
# the program against the program itself. Sourced by bash.

# The commands a program lists under "Subcommands:", one a line.
help_commands() {
    "$1" --help | awk '/^Subcommands:/ { listed = 1; next } /^[^ ]/ { listed = 0 } listed && /^  [^ -]/ { print $1 }'
}

# The options of a program, or of one of its commands ("help_options PROGRAM
# [COMMAND]"), one a line: every name of each option in its "  -x, --long"
# column, --help and -h left out.
help_options() {
    "$@" --help | while IFS= read -r line; do
        [[ $line == "  -"* ]] || continue
        line=${line#  }
        line=${line%%  *}
        grep -oE -- '(^|[ ,])--?[a-z][-a-z0-9]*' <<< "$line" | tr -d ' ,'
    done | grep -vxE -- '-h|--help' || true
}
