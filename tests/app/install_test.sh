#!/usr/bin/env bash
# Install-tree test: installs the build into a temporary prefix and checks what a desktop needs
# from it: the desktop entry (valid, opening ZentorScript sources), the file type definition
# (its glob matched without case), the icon, and the thumbnailer entry, whose command line is
# run as a file manager runs it: placeholders substituted, through sh, with PATH holding only
# the prefix's bin folder. The thumbnail of the sample must be a square PNG of the asked size
# showing the model; a broken script must fail quickly and leave no file.
#
# Usage: install_test.sh BUILD_DIR TESSALY_GEN
# Exits 77 (skipped) when desktop-file-validate or ImageMagick is missing.
set -euo pipefail

BUILD=$(realpath "$1")
GEN=$(realpath "$2")
for tool in desktop-file-validate identify convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }

# ---- the files ----------------------------------------------------------------------------------
DESKTOP="$PREFIX/share/applications/tessaly.desktop"
MIME="$PREFIX/share/mime/packages/tessaly.xml"
THUMBNAILER="$PREFIX/share/thumbnailers/tessaly.thumbnailer"
ICON="$PREFIX/share/icons/hicolor/32x32/apps/tessaly.png"
for file in "$PREFIX/bin/tessaly" "$PREFIX/bin/tessaly-render" "$DESKTOP" "$MIME" \
            "$THUMBNAILER" "$ICON"; do
    [ -f "$file" ] || fail "not installed: ${file#"$PREFIX"/}"
done
[ -x "$PREFIX/bin/tessaly-render" ] || fail "tessaly-render is not executable"
[ "$(identify -format '%m %wx%h' "$ICON")" = "PNG 32x32" ] || fail "the icon is not a 32x32 PNG"

# ---- the desktop entry and the file type ---------------------------------------------------------
desktop-file-validate "$DESKTOP" || fail "desktop-file-validate rejects the desktop entry"
entry() { sed -n "s/^$1=//p" "$2"; }
[ "$(entry Exec "$DESKTOP")" = "tessaly %f" ] || fail "Exec is '$(entry Exec "$DESKTOP")'"
TYPE=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$MIME")
[ -n "$TYPE" ] || fail "the MIME definition names no type"
[ "$(entry MimeType "$DESKTOP")" = "$TYPE;" ] || fail "the desktop entry does not open $TYPE"
[ "$(entry MimeType "$THUMBNAILER")" = "$TYPE;" ] || fail "the thumbnailer is not for $TYPE"
# The database built from the definition: *.zc without the case-sensitive flag.
if command -v update-mime-database >/dev/null; then
    GLOBS="$PREFIX/share/mime/globs2"
    grep -qx "50:$TYPE:\*\.zc" "$GLOBS" && ! grep -q "^50:$TYPE:\*\.zc:cs" "$GLOBS" ||
        fail "the MIME database has no case-blind *.zc glob: $(grep zc "$GLOBS")"
fi

# ---- the thumbnailer, as a file manager runs it -------------------------------------------------
# Quotes an argument for sh: the paths below have a space and a quote in them.
quote() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"; }
thumbnail() {  # INPUT OUTPUT SIZE
    local cmd
    cmd=$(entry Exec "$THUMBNAILER")
    cmd=${cmd//%s/$3}
    cmd=${cmd//%i/$(quote "$1")}
    cmd=${cmd//%o/$(quote "$2")}
    env -i PATH="$PREFIX/bin" HOME="$WORK" /bin/sh -c "$cmd"
}
CONTENT="$WORK/user's models"
"$GEN" --sample "$CONTENT" >/dev/null || fail "the sample could not be written"
SCRIPT=$(ls "$CONTENT"/Pkg/Classes/*.zc | head -1)
OUT="$WORK/thumb out/$(printf '%s' "file://$SCRIPT" | md5sum | cut -d' ' -f1).png"
mkdir -p "$(dirname "$OUT")"
thumbnail "$SCRIPT" "$OUT" 128 >"$WORK/thumb.log" 2>&1 ||
    { cat "$WORK/thumb.log"; fail "the thumbnailer failed on the sample"; }
[ ! -s "$WORK/thumb.log" ] || { cat "$WORK/thumb.log"; fail "the thumbnailer printed on success"; }
[ "$(identify -format '%m %wx%h' "$OUT")" = "PNG 128x128" ] ||
    fail "the thumbnail is $(identify -format '%m %wx%h' "$OUT"), not a 128x128 PNG"
# The model, not a plain background: many colours, and the centre differs from the corner.
[ "$(convert "$OUT" -format '%k' info:)" -gt 20 ] || fail "the thumbnail shows no model"
[ "$(convert "$OUT" -format '%[pixel:p{64,64}]' info:)" != \
  "$(convert "$OUT" -format '%[pixel:p{0,0}]' info:)" ] || fail "nothing in the thumbnail's centre"
[ -n "${THUMBS:-}" ] && cp "$OUT" "$THUMBS/"

# A broken script: a failure within seconds, and no file written.
printf 'class Broken;\n' >"$WORK/Broken.zc"
START=$(date +%s%N)
if thumbnail "$WORK/Broken.zc" "$WORK/broken.png" 256 2>/dev/null; then
    fail "the thumbnailer succeeded on a script without a mesh"
fi
[ $(( ($(date +%s%N) - START) / 1000000 )) -lt 5000 ] || fail "the failure took over 5 s"
[ ! -e "$WORK/broken.png" ] || fail "a broken script left a thumbnail file"
echo "PASS"
