#!/usr/bin/env bash
# Builds the Debian package of this tree the Debian way (debhelper, unsigned), outside the
# source tree, checks it with lintian and prints the path of the .deb on stdout; the build's
# and lintian's output go to stderr. Fails when the build fails or lintian reports an error.
#
# Usage: scripts/package.sh [OUT_DIR]     (default: ${TMPDIR:-/tmp}/tessaly-package)
# OUT_DIR gets the copied source (tessaly-VERSION/) and the build's files. It must be empty or
# missing, or hold an earlier run's output (which is removed first): nothing else is deleted.
# DEB_BUILD_OPTIONS=nocheck builds without the tests, so their packages are not needed either.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUT=$(realpath -m "${1:-${TMPDIR:-/tmp}/tessaly-package}")
case "$OUT/" in
    "$ROOT"/*) echo "package.sh: $OUT is inside the source tree" >&2; exit 2 ;;
esac

scripts/install-deps.sh >&2

VERSION=$(sed -n 's/^project(Tessaly VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
CHANGELOG=$(dpkg-parsechangelog -S Version)
if [ "$VERSION" != "$CHANGELOG" ]; then
    echo "package.sh: debian/changelog is at $CHANGELOG but CMakeLists.txt at $VERSION;" \
         "add a changelog entry for $VERSION" >&2
    exit 1
fi
ARCH=$(dpkg-architecture -qDEB_HOST_ARCH)

# The source as the working tree has it (tracked and new files, not ignored ones such as build
# folders), copied so that the build and its products stay out of this tree.
MARK="$OUT/.tessaly-package"
if [ -d "$OUT" ] && [ -n "$(ls -A "$OUT")" ] && [ ! -e "$MARK" ]; then
    echo "package.sh: $OUT holds files of its own; name an empty or new folder" >&2
    exit 2
fi
rm -rf "$OUT"
SRC="$OUT/tessaly-$VERSION"
mkdir -p "$SRC"
: >"$MARK"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
        tar --null -T - -cf - | tar -xf - -C "$SRC"
else
    tar --exclude='./build*' --exclude=./sample -cf - . | tar -xf - -C "$SRC"
fi

PROFILES=()
case " ${DEB_BUILD_OPTIONS:-} " in *" nocheck "*) PROFILES=(-Pnocheck) ;; esac
(cd "$SRC" && dpkg-buildpackage -b -us -uc "${PROFILES[@]}") >&2

DEB="$OUT/tessaly_${VERSION}_$ARCH.deb"
[ -f "$DEB" ] || { echo "package.sh: the build made no $DEB" >&2; exit 1; }
echo "=== lintian ===" >&2
lintian --fail-on error --display-info "$OUT/tessaly_${VERSION}_$ARCH.changes" >&2
echo "$DEB"
