#!/usr/bin/env bash
# The viewer's load as the user sees it, for both renderers, on a generated model of
# FRAMES x TRIS (three textures, every polygon type): bench_viewer_load opens the model through
# File > Open script on the headless window system and reports the time to the first picture,
# the time until the loop's idle slices have prepared every frame, the longest slice and the
# memory held then; "full" prepares every frame right after the load instead, before the first
# picture, as loads once did, which is what "every frame prepared" compares with (also as a
# ratio between the two runs of one round, which other load disturbs less). Each run is a
# process of its own; rounds are interleaved so that other load on the machine falls on every
# case alike. Prints the median over the rounds and the spread (lowest to highest).
#
# Usage: bench/app/viewer_load_bench.sh BUILD_DIR [FRAMES x TRIS, default 1000x4000]
#   RUNS=N  rounds (default 5)
set -euo pipefail
BUILD=$(realpath "${1:?usage: viewer_load_bench.sh BUILD_DIR [FRAMESxTRIS]}")
SIZE=${2:-1000x4000}
RUNS=${RUNS:-5}
GEN=$BUILD/tools/zgen/tessaly-gen
BENCH=$BUILD/bench/app/bench_viewer_load
HERE=$(cd "$(dirname "$0")" && pwd)
if [ ! -x "$GEN" ] || [ ! -x "$BENCH" ]; then
  echo "no tessaly-gen or bench_viewer_load under $BUILD" >&2
  exit 2
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

FRAMES=${SIZE%x*}
TRIS=${SIZE#*x}
SCRIPT=$("$GEN" "$WORK" --name "Bench$SIZE" --frames "$FRAMES" --tris "$TRIS" \
  --vertices $((TRIS / 2 + 2)) --textures 3 --types 0,2,3,4,8 | tail -1)

for ROUND in $(seq "$RUNS"); do
  for RENDERER in gl d3d; do
    "$BENCH" "$SCRIPT" --renderer "$RENDERER"
    "$BENCH" "$SCRIPT" --renderer "$RENDERER" --full
  done
done >"$WORK/runs"

echo "viewer load of $SIZE (every polygon type), $RUNS rounds: median (lowest-highest)"
awk -f "$HERE/../common/spread.awk" -f /dev/stdin "$WORK/runs" <<'EOF'
{
  for (i = 1; i <= NF; ++i) {
    split($i, kv, "=")
    field[kv[1]] = kv[2]
  }
  renderer = field["renderer"]
  key = renderer " " field["mode"]
  if (!(key in seen)) {
    seen[key] = 1
    order[++n] = key
  }
  first[key] = first[key] " " field["first_picture_ms"]
  firstcpu[key] = firstcpu[key] " " field["first_picture_cpu_ms"]
  all[key] = all[key] " " field["all_prepared_ms"]
  allcpu[key] = allcpu[key] " " field["all_prepared_cpu_ms"]
  slice[key] = slice[key] " " field["longest_slice_ms"]
  slicecpu[key] = slicecpu[key] " " field["longest_slice_cpu_ms"]
  slices[key] = slices[key] " " field["slices"]
  long[key] = long[key] " " field["long_slices"]
  rss[key] = rss[key] " " field["peak_rss_MiB"]
  startrss[key] = startrss[key] " " field["start_rss_MiB"]
  heap[key] = heap[key] " " field["heap_MiB"]
  # Each round runs the idle load, then the full one.
  if (field["mode"] == "idle") {
    idle_all[renderer] = field["all_prepared_ms"]
    idle_cpu[renderer] = field["all_prepared_cpu_ms"]
  } else {
    later[renderer] = later[renderer] " " idle_all[renderer] / field["all_prepared_ms"]
    latercpu[renderer] = latercpu[renderer] " " idle_cpu[renderer] / field["all_prepared_cpu_ms"]
  }
}
END {
  for (i = 1; i <= n; ++i) {
    key = order[i]
    split(key, part, " ")
    printf "%-3s %-4s first picture %s ms (CPU %s), every frame prepared %s ms (CPU %s)\n",
      part[1], part[2], figure(first[key], "%.0f"), figure(firstcpu[key], "%.0f"),
      figure(all[key], "%.0f"), figure(allcpu[key], "%.0f")
    if (part[2] == "idle")
      printf "         idle slices %s, over 10 ms %s, longest %s ms, most CPU in one %s ms\n",
        figure(slices[key], "%.0f"), figure(long[key], "%.0f"), figure(slice[key], "%.1f"),
        figure(slicecpu[key], "%.1f")
    else
      printf "         every frame prepared in idle time / this, same round: %s x (CPU %s x)\n",
        figure(later[part[1]], "%.2f"), figure(latercpu[part[1]], "%.2f")
    printf "         peak resident %s MiB (before the load %s), heap (operator new) %s MiB\n",
      figure(rss[key], "%.1f"), figure(startrss[key], "%.1f"), figure(heap[key], "%.1f")
  }
}
EOF
