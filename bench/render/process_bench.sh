#!/usr/bin/env bash
# Whole-process cost of tessaly-render: start to the PNG of frame 0, CPU and wall time and peak
# resident memory, for generated models of the benchmark sizes. Usage: process_bench.sh BUILD_DIR
# [TYPES], where TYPES is the generator's --types list (default: every triangle type 0).
set -euo pipefail
BUILD=${1:?build directory}
TYPES=${2:-0}
GEN=$BUILD/tools/zgen/tessaly-gen
RENDER=$BUILD/tools/render/tessaly-render
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
for SIZE in 50x500 200x2000 1000x4000; do
  FRAMES=${SIZE%x*}
  TRIS=${SIZE#*x}
  NAME=Bench$SIZE
  "$GEN" "$WORK" --name "$NAME" --frames "$FRAMES" --tris "$TRIS" --vertices $((TRIS / 2 + 2)) \
    --textures 3 --types "$TYPES" >/dev/null
  for RUN in 1 2 3; do
    /usr/bin/time -f "$SIZE types=$TYPES run $RUN: %U s user, %S s sys, %e s wall, %M KiB peak" \
      "$RENDER" "$WORK/Pkg/Classes/$NAME.zc" -o "$WORK/$NAME.png" >/dev/null
  done
done
