#!/usr/bin/env bash
# Animated GIF and WebP straight from tessaly-render against the route a user has without it:
# tessaly-render --sequence into PNGs, then ImageMagick's `convert -delay D -loop 0` (GIF) or
# `img2webp -lossless` (WebP, Debian package webp). Cases: the sample's Walk and a generated
# 200-frame, 2000-triangle model's 200-frame sequence, each with OpenGL and with the Direct3D
# renderer (lit: more colours), at 480 x 480 and 20 pictures a second.
#
# The generated model is seen from --offset-z -600, where the whole of it is in the picture
# (from the default camera it fills the picture with a few faces).
#
# For each case: the whole process's wall time and CPU time (user + system, children
# included), medians of RUNS rounds interleaved so other load falls on both routes alike; the
# file size; and for GIF the PSNR of every picture against the PNG of the same frame (mean and
# lowest; "exact" when every pixel matches).
#
# Usage: bench/render/animation_bench.sh BUILD_DIR      RUNS=N rounds (default 3)
set -euo pipefail
BUILD=$(realpath "${1:?usage: animation_bench.sh BUILD_DIR}")
RUNS=${RUNS:-3}
GEN=$BUILD/tools/zgen/tessaly-gen
RENDER=$BUILD/tools/render/tessaly-render
for Tool in "$GEN" "$RENDER" "$(command -v convert)" "$(command -v img2webp)" "$(command -v compare)"; do
  [ -x "$Tool" ] || { echo "needs tessaly-gen, tessaly-render, ImageMagick and img2webp" >&2; exit 2; }
done
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

SAMPLE=$("$GEN" --sample "$WORK/sample")
BIG=$("$GEN" "$WORK/big" --name Big --frames 200 --tris 2000 --vertices 1002 --textures 3 --sequences 1)
CASES="sample:Walk:gl sample:Walk:d3d big:Idle:gl big:Idle:d3d"
export RENDER
# The script and the view of a case's model.
view_of() { [ "$1" = sample ] && echo "$SAMPLE" || echo "$BIG --offset-z -600"; }

# "wall cpu" seconds of a bash command line, children included.
seconds() { /usr/bin/time -f '%e %U %S' bash -c "$1" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The command lines of each route: VIEW SEQ RENDERER DIR.
gif_direct()  { echo "\$RENDER $1 --renderer $3 --sequence $2 -o $4/direct.gif"; }
webp_direct() { echo "\$RENDER $1 --renderer $3 --sequence $2 -o $4/direct.webp"; }
pngs()        { echo "rm -rf $4/pngs && mkdir $4/pngs && \$RENDER $1 --renderer $3 --sequence $2 -o $4/pngs"; }
gif_route()   { echo "$(pngs "$@") && convert -delay 5 -loop 0 $4/pngs/*.png $4/route.gif"; }
webp_route()  { echo "$(pngs "$@") && img2webp -lossless -loop 0 -d 50 $4/pngs/*.png -o $4/route.webp"; }

# PSNR of each picture of GIF $1 against the PNGs in $2: "mean lowest", or "exact".
gif_psnr() {
  local Frames=$WORK/frames
  rm -rf "$Frames" && mkdir "$Frames"
  convert "$1" -coalesce "$Frames/f_%04d.png"
  local k=0
  for Png in "$2"/*.png; do
    compare -metric PSNR "$Png" "$(printf '%s/f_%04d.png' "$Frames" "$k")" null: 2>&1 || true
    echo
    k=$((k + 1))
  done | awk 'NF { n++; if ($1 == "inf") { exact++; v = 99 } else v = $1; s += v; if (n == 1 || v < lo) lo = v }
              END { if (exact == n) print "exact"; else printf "%.2f dB mean, %.2f dB lowest\n", s / n, lo }'
}

printf '%-11s %-5s %17s %17s %11s %9s %9s   %s\n' case form "direct wall/cpu s" "route wall/cpu s" \
  "ratio w/cpu" direct_KB route_KB "GIF PSNR direct | route"
for CASE in $CASES; do
  IFS=: read -r MODEL SEQ RENDERER <<<"$CASE"
  VIEW=$(view_of "$MODEL")
  DIR=$WORK/$MODEL-$RENDERER
  mkdir -p "$DIR"
  for FORMAT in gif webp; do
    : >"$DIR/direct.t"; : >"$DIR/route.t"
    for _ in $(seq "$RUNS"); do
      seconds "$("${FORMAT}_direct" "$VIEW" "$SEQ" "$RENDERER" "$DIR")" >>"$DIR/direct.t"
      seconds "$("${FORMAT}_route" "$VIEW" "$SEQ" "$RENDERER" "$DIR")" >>"$DIR/route.t"
    done
    DirectWall=$(cut -d' ' -f1 "$DIR/direct.t" | median); DirectCpu=$(cut -d' ' -f2 "$DIR/direct.t" | median)
    RouteWall=$(cut -d' ' -f1 "$DIR/route.t" | median); RouteCpu=$(cut -d' ' -f2 "$DIR/route.t" | median)
    DirectKB=$(($(stat -c %s "$DIR/direct.$FORMAT") / 1024)); RouteKB=$(($(stat -c %s "$DIR/route.$FORMAT") / 1024))
    Quality=""
    [ "$FORMAT" = gif ] && Quality="$(gif_psnr "$DIR/direct.gif" "$DIR/pngs") | $(gif_psnr "$DIR/route.gif" "$DIR/pngs")"
    printf '%-11s %-5s %8s/%-8s %8s/%-8s %5.2f/%-5.2f %9s %9s   %s\n' "$MODEL-$RENDERER" "$FORMAT" \
      "$DirectWall" "$DirectCpu" "$RouteWall" "$RouteCpu" \
      "$(echo "$DirectWall $RouteWall" | awk '{ print $1 / $2 }')" \
      "$(echo "$DirectCpu $RouteCpu" | awk '{ print $1 / $2 }')" "$DirectKB" "$RouteKB" "$Quality"
  done
done
