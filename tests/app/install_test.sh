#!/usr/bin/env bash
# Install-tree test: installs the build into a temporary prefix and checks that it holds exactly
# the files of installed-files.txt, then what a desktop needs from them: the desktop entry
# (valid, opening ZentorScript sources), the file type definition (its glob matched without
# case), the AppStream entry (valid, naming the desktop entry), the icons (a PNG of each size),
# and the thumbnailer entry, whose command line is run as a file manager runs it: placeholders
# substituted, through sh, with PATH holding only the prefix's bin folder. The thumbnail of the
# sample must be a square PNG of the asked size showing the model; a broken script must fail
# quickly and leave no file.
#
# Usage: install_test.sh BUILD_DIR TESSALY_GEN
# Exits 77 (skipped) when desktop-file-validate, appstreamcli or ImageMagick is missing.
set -euo pipefail

BUILD=$(realpath "$1")
GEN=$(realpath "$2")
for tool in desktop-file-validate appstreamcli identify convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }

# ---- the files ----------------------------------------------------------------------------------
# A direct install also builds the prefix's MIME database and desktop-entry cache: not listed.
EXPECTED=$(grep -v '^#' "$(dirname "$0")/installed-files.txt" | sort)
INSTALLED=$(cd "$PREFIX" && find . -type f | sed 's|^\./||' |
            grep -vE '^share/mime/[^/]+$|^share/mime/(text|application)/|mimeinfo.cache$' | sort)
[ "$INSTALLED" = "$EXPECTED" ] ||
    fail "the install differs from installed-files.txt (< missing, > extra):
$(diff <(echo "$EXPECTED") <(echo "$INSTALLED") | grep '^[<>]')"
for program in tessaly tessaly-render tessaly-export tessaly-gen; do
    [ -x "$PREFIX/bin/$program" ] || fail "$program is not executable"
done
APP_ID=org.tessaly.Tessaly
DESKTOP="$PREFIX/share/applications/$APP_ID.desktop"
METAINFO="$PREFIX/share/metainfo/$APP_ID.metainfo.xml"
MIME="$PREFIX/share/mime/packages/tessaly.xml"
THUMBNAILER="$PREFIX/share/thumbnailers/tessaly.thumbnailer"
for size in 16 24 32 48 64 128 256; do
    icon="$PREFIX/share/icons/hicolor/${size}x$size/apps/$APP_ID.png"
    [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x$size" ] ||
        fail "the ${size}x$size icon is $(identify -format '%m %wx%h' "$icon")"
done

# ---- the desktop entry and the file type ---------------------------------------------------------
desktop-file-validate "$DESKTOP" || fail "desktop-file-validate rejects the desktop entry"
entry() { sed -n "s/^$1=//p" "$2"; }
[ "$(entry Exec "$DESKTOP")" = "tessaly %f" ] || fail "Exec is '$(entry Exec "$DESKTOP")'"
[ "$(entry Icon "$DESKTOP")" = "$APP_ID" ] || fail "the desktop entry's icon is not $APP_ID"
appstreamcli validate --no-net "$METAINFO" >"$WORK/appstream.log" 2>&1 ||
    { cat "$WORK/appstream.log"; fail "appstreamcli rejects the AppStream entry"; }
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$METAINFO" ||
    fail "the AppStream entry does not launch $APP_ID.desktop"
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
