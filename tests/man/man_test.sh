#!/usr/bin/env bash
# Manual pages: each program's page renders without a groff warning, has the sections a reader
# looks for, and describes every option the program's --help names (an item in OPTIONS whose
# tag holds the option), so an option added to --help without a description fails here.
#
# Usage: man_test.sh MAN_DIR PROGRAM...
set -euo pipefail

MAN_DIR=$1
shift
status=0
fail() { echo "FAIL: $*"; status=1; }

# The options a text names: -x or --name after a start of line, a space, '[', '|' or ','.
options_in() { grep -oE '(^|[][ |,])--?[A-Za-z][A-Za-z0-9-]*' | sed 's/^[][ |,]//' | sort -u; }

for program in "$@"; do
    name=$(basename "$program")
    page="$MAN_DIR/$name.1"
    [ -f "$page" ] || { fail "$name: no page $page"; continue; }

    warnings=$(groff -man -ww -z "$page" 2>&1) || fail "$name: groff failed"
    [ -z "$warnings" ] || fail "$name: groff warns: $warnings"

    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" EXAMPLES; do
        grep -qE "^\.SH \"?$section\"?\$" "$page" || fail "$name: no $section section"
    done

    # The tag lines of the OPTIONS section's items, as plain text.
    tags=$(awk '/^\.SH/ { in_options = ($0 ~ /OPTIONS/) } in_options && tag { print; tag = 0 }
                in_options && /^\.TP/ { tag = 1 }' "$page" |
           sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' | options_in)
    help=$("$program" --help | options_in)
    [ -n "$help" ] || fail "$name: --help names no option"
    for option in $help; do
        grep -qxF -- "$option" <<<"$tags" ||
            fail "$name: $option is in --help but the page does not describe it" \
                 "(describe it in --help or in man/$name.h2m)"
    done
done
[ $status -eq 0 ] && echo "PASS"
exit $status
