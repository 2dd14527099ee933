#!/usr/bin/env bash
# The built Debian package, without installing it: it holds exactly the files of the install
# tree (tests/app/installed-files.txt, manual pages compressed) plus its copyright, changelog
# and lintian overrides; its manual pages render without warnings; and unpacked into a
# temporary folder, its own tessaly-gen writes the sample and its tessaly-render draws it.
#
# Usage: package_test.sh PACKAGE.deb
set -euo pipefail

DEB=$(realpath "$1")
HERE=$(dirname "$0")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# ---- the contents ------------------------------------------------------------------------------
EXPECTED=$( { grep -v '^#' "$HERE/../app/installed-files.txt" | sed 's|^share/man/.*|&.gz|'
              printf '%s\n' share/doc/tessaly/copyright share/doc/tessaly/changelog.gz \
                            share/lintian/overrides/tessaly; } | sed 's|^|usr/|' | sort)
CONTENTS=$(dpkg-deb --fsys-tarfile "$DEB" | tar -t | grep -v '/$' | sed 's|^\./||' | sort)
[ "$CONTENTS" = "$EXPECTED" ] ||
    fail "the package differs from the install tree (< missing, > extra):
$(diff <(echo "$EXPECTED") <(echo "$CONTENTS") | grep '^[<>]')"
echo "contents: $(echo "$CONTENTS" | wc -l) files, as the install tree expects"

# ---- unpacked, never installed ------------------------------------------------------------------
ROOT="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT"
for page in "$ROOT"/usr/share/man/man1/*.1.gz; do
    warnings=$(zcat "$page" | groff -man -ww -z 2>&1) || fail "groff failed on ${page##*/}"
    [ -z "$warnings" ] || fail "${page##*/}: $warnings"
done
env -u DISPLAY -u WAYLAND_DISPLAY "$ROOT/usr/bin/tessaly" --version | grep -q '^Tessaly v' ||
    fail "the packaged viewer does not answer --version"
SCRIPT=$("$ROOT/usr/bin/tessaly-gen" --sample "$WORK/sample")
PICTURE="$WORK/sample.png"
"$ROOT/usr/bin/tessaly-render" "$SCRIPT" -o "$PICTURE" --square 128 ||
    fail "the packaged tessaly-render failed on the sample"
[ "$(identify -format '%m %wx%h' "$PICTURE")" = "PNG 128x128" ] ||
    fail "the picture is $(identify -format '%m %wx%h' "$PICTURE"), not a 128x128 PNG"
[ "$(convert "$PICTURE" -format '%k' info:)" -gt 20 ] || fail "the picture shows no model"
echo "PASS"
