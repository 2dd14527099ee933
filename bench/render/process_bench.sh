#!/usr/bin/env bash
# Whole-process cost of tessaly-render against its start-up cost. For each renderer, the run
# from start to the PNG of frame 0 of generated models of the benchmark sizes (frames x
# triangles, three textures), each divided by the same program drawing a model of one triangle
# in the same round: wall time, CPU time (user + system, every thread) and peak resident memory.
# Rounds are interleaved (one triangle, then each size, for each renderer), so other load on
# the machine falls on every model alike. Prints the median over the rounds and the spread
# (lowest to highest); the ratios are taken per round, then their median.
#
# Usage: bench/render/process_bench.sh BUILD_DIR [TYPES]
#   TYPES   the generator's --types list (default 0,2,3,4,8: every polygon type)
#   RUNS=N  rounds (default 7)
# Times come from the shell's own clock of the child (millisecond resolution); the peak memory
# from /usr/bin/time, which runs between the two and adds about a millisecond to every run.
set -euo pipefail
BUILD=$(realpath "${1:?usage: process_bench.sh BUILD_DIR [TYPES]}")
TYPES=${2:-0,2,3,4,8}
RUNS=${RUNS:-7}
GEN=$BUILD/tools/zgen/tessaly-gen
RENDER=$BUILD/tools/render/tessaly-render
HERE=$(cd "$(dirname "$0")" && pwd)
if [ ! -x "$GEN" ] || [ ! -x "$RENDER" ]; then
  echo "no tessaly-gen or tessaly-render under $BUILD" >&2
  exit 2
fi
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

SIZES="1x1 50x500 200x2000 1000x4000"
for SIZE in $SIZES; do
  FRAMES=${SIZE%x*}
  TRIS=${SIZE#*x}
  "$GEN" "$WORK" --name "Bench$SIZE" --frames "$FRAMES" --tris "$TRIS" \
    --vertices $((TRIS / 2 + 2)) --textures 3 --types "$TYPES" >/dev/null
done

# One line per run: renderer size round wall_ms cpu_ms peak_KiB
TIMEFORMAT='%3R %3U %3S'
for ROUND in $(seq "$RUNS"); do
  for RENDERER in gl d3d; do
    for SIZE in $SIZES; do
      if ! TIMES=$( { time /usr/bin/time -f %M -o "$WORK/peak" "$RENDER" \
        "$WORK/Pkg/Classes/Bench$SIZE.zc" -o "$WORK/out.png" --renderer "$RENDERER" \
        >/dev/null; } 2>&1 ); then
        echo "tessaly-render --renderer $RENDERER failed on $SIZE: $TIMES" >&2
        exit 1
      fi
      read -r WALL USER SYS <<<"$TIMES"
      echo "$RENDERER $SIZE $ROUND $WALL $USER $SYS $(cat "$WORK/peak")"
    done
  done
done | awk '{ printf "%s %s %s %.0f %.0f %d\n", $1, $2, $3, $4 * 1000, ($5 + $6) * 1000, $7 }' \
  >"$WORK/runs"

echo "tessaly-render to the PNG of frame 0, types $TYPES, $RUNS rounds: median (lowest-highest)"
echo "ratio = the size's run / the one-triangle run of the same round"
awk -f "$HERE/../common/spread.awk" -f /dev/stdin "$WORK/runs" <<'EOF'
{
  key = $1 " " $2
  base = $1 " 1x1 " $3
  if (!(key in seen)) {
    seen[key] = 1
    order[++n] = key
  }
  if ($2 == "1x1") {
    bwall[base] = $4
    bcpu[base] = $5
    brss[base] = $6
  } else {
    rwall[key] = rwall[key] " " $4 / bwall[base]
    rcpu[key] = rcpu[key] " " $5 / bcpu[base]
    rrss[key] = rrss[key] " " $6 / brss[base]
  }
  wall[key] = wall[key] " " $4
  cpu[key] = cpu[key] " " $5
  rss[key] = rss[key] " " $6 / 1024
}
END {
  limit["200x2000"] = "1.2"
  limit["1000x4000"] = "1.5"
  for (i = 1; i <= n; ++i) {
    key = order[i]
    split(key, part, " ")
    printf "%-3s %-9s wall %-22s cpu %-22s peak %s\n", part[1], part[2],
      figure(wall[key], "%.0f") " ms", figure(cpu[key], "%.0f") " ms",
      figure(rss[key], "%.1f") " MiB"
    if (part[2] != "1x1")
      printf "    ratio     wall %-22s cpu %-22s peak %s%s\n", figure(rwall[key], "%.2f") " x",
        figure(rcpu[key], "%.2f") " x", figure(rrss[key], "%.2f") " x",
        part[2] in limit ? "   (target: wall <= " limit[part[2]] " x)" : ""
  }
}
EOF
