# The part that the demo package and its uninstaller share.

# Status lines go to standard output, and only with -console=show.
console=false
say() {
    if [ "$console" = true ]; then printf '%s\n' "$1"; fi
}

fail() {
    say "Error=$1"
    exit 1
}

# The folder switch comes last and a Windows program reads it to the end of
# its raw command line: `rest_of_line PREFIX ARG...` gives the first ARG
# without PREFIX and every later ARG, joined by single spaces.
rest_of_line() {
    prefix=$1
    shift
    [ $# -gt 0 ] || return 0
    value=${1#"$prefix"}
    shift
    for rest in "$@"; do value="$value $rest"; done
    printf '%s' "$value"
}

