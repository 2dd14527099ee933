#!/bin/sh
# Runs PROGRAM with the other arguments and, for --help, puts its text into the layout help2man
# reads: "usage:" becomes "Usage:", a usage line wrapped onto indented lines is joined back,
# the other forms of the command become "or:" lines, and an "Options:" heading goes before the
# first option line, so the options land in the page's OPTIONS section. An option line whose
# description starts in the descriptions' column after a single space gets a second one (and
# one space less before the option, so the column stays), which help2man needs to tell the
# option from its description.
#
# Usage: help-for-man.sh PROGRAM ARG...
set -eu
PROGRAM=$1
shift
if [ "${1:-}" != "--help" ]; then
    exec "$PROGRAM" "$@"
fi
NAME=$(basename "$PROGRAM")
"$PROGRAM" "$@" | awk -v name="$NAME" '
    function flush() { if (pending != "") print pending; pending = "" }
    state == 0 && /^usage: / { pending = "Usage: " substr($0, 8); state = 1; next }
    state == 1 && $0 ~ ("^ +" name "( |$)") {
        flush(); sub(/^ +/, ""); pending = "  or:  " $0; next
    }
    state == 1 && /^ +[^ -]/ { sub(/^ +/, " "); pending = pending $0; next }
    state == 1 { flush(); print ""; state = 2 }
    state == 2 && /^ +-/ { print "Options:"; state = 3 }
    state == 3 && /^ +-/ && match($0, /[^ ]/) <= 7 {
        lead = match($0, /[^ ]/) - 1
        rest = substr($0, lead + 1)
        if (match(rest, /  +/)) {
            if (!column) column = lead + RSTART + RLENGTH
        } else if (column && substr($0, column - 1, 1) == " " && substr($0, column, 1) != " ") {
            $0 = substr($0, 2, column - 2) " " substr($0, column)
        }
    }
    { print }
    END { flush() }'
