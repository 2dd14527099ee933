#!/usr/bin/env bash
# The Debian packaging agrees with the rest of the tree: the changelog's latest version is the
# CMake project's, and Build-Depends is the install script's build group (build-essential aside,
# which Debian packages never list) plus its test group, each of those marked <!nocheck>.
#
# Usage: control_test.sh SOURCE_DIR PROJECT_VERSION
set -euo pipefail

SOURCE=$1
VERSION=$2
status=0
fail() { echo "FAIL: $*"; status=1; }

changelog=$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Version)
[ "$changelog" = "$VERSION" ] ||
    fail "debian/changelog is at $changelog, the CMake project at $VERSION: add a changelog entry"

# Build-Depends, one "name" or "name <!nocheck>" a line, without debhelper-compat.
depends=$(sed -n '/^Build-Depends:/,/^[^ ]/{/^ /p}' "$SOURCE/debian/control" |
          sed -e 's/^ *//' -e 's/,$//' -e 's/ *([^)]*)//' | grep -v '^debhelper-compat' | sort)
expected=$( { "$SOURCE/scripts/install-deps.sh" --list build | grep -vx build-essential
              "$SOURCE/scripts/install-deps.sh" --list test | sed 's/$/ <!nocheck>/'; } | sort)
[ "$depends" = "$expected" ] ||
    fail "Build-Depends and scripts/install-deps.sh differ (< install-deps.sh, > control):
$(diff <(echo "$expected") <(echo "$depends") | grep '^[<>]')"
[ $status -eq 0 ] && echo "PASS"
exit $status
