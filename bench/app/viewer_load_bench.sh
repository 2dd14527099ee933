#!/usr/bin/env bash
# The viewer's load and playback as the user sees them, for both renderers, on generated models
# of FRAMES x TRIS (three textures, every polygon type, one sequence of every frame):
# bench_viewer_load opens the model through File > Open script on the headless window system
# and reports the time to the first picture, then either
#   idle: the loop's idle slices until idle time has nothing left to prepare (every frame while
#         the model fits the frame budget), with the frames prepared then;
#   loop: the sequence played under Loop Animation at 20 pictures a second, PASSES times
#         through (every frame drawn once per pass), with late and dropped pictures and the
#         paints that found their frame not prepared;
# each with the idle slices over 10 ms (wall and CPU) and the peak resident memory. "full"
# (1000 x 4000 and smaller only) prepares every frame right after the load, whatever the
# budget, as loads once did. Each run is a process of its own; rounds are interleaved so that
# other load on the machine falls on every case alike. Prints the median over the rounds and
# the spread (lowest to highest). With LARGEST=1, one idle run and one loop pass of each
# renderer over 1000 x 65535, the most triangles the format allows (with 16383 vertices, the
# most it allows), follow.
#
# Usage: bench/app/viewer_load_bench.sh BUILD_DIR [FRAMESxTRIS ...] (default 1000x4000 1000x16000)
#   RUNS=N    rounds (default 3)
#   PASSES=N  passes through the sequence while playing (default 1)
#   LARGEST=1 the largest model too
#   TESSALY_FRAME_BUDGET_MB as for the viewer
set -euo pipefail
BUILD=$(realpath "${1:?usage: viewer_load_bench.sh BUILD_DIR [FRAMESxTRIS ...]}")
shift
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(1000x4000 1000x16000)
RUNS=${RUNS:-3}
PASSES=${PASSES:-1}
GEN=$BUILD/tools/zgen/tessaly-gen
BENCH=$BUILD/bench/app/bench_viewer_load
HERE=$(cd "$(dirname "$0")" && pwd)
if [ ! -x "$GEN" ] || [ ! -x "$BENCH" ]; then
  echo "no tessaly-gen or bench_viewer_load under $BUILD" >&2
  exit 2
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

model() {
  local FRAMES=${1%x*} TRIS=${1#*x}
  "$GEN" "$WORK" --name "Bench$1" --frames "$FRAMES" --tris "$TRIS" \
    --vertices $((TRIS / 2 + 2 < 16383 ? TRIS / 2 + 2 : 16383)) --textures 3 --types 0,2,3,4,8 --sequences 1 | tail -1
}

report() {
  awk -f "$HERE/../common/spread.awk" -f /dev/stdin "$1" <<'EOF'
{
  for (i = 1; i <= NF; ++i) {
    split($i, kv, "=")
    field[kv[1]] = kv[2]
  }
  key = field["renderer"] " " field["mode"]
  if (!(key in seen)) {
    seen[key] = 1
    order[++n] = key
  }
  first[key] = first[key] " " field["first_picture_ms"]
  firstcpu[key] = firstcpu[key] " " field["first_picture_cpu_ms"]
  end[key] = end[key] " " field["end_ms"]
  endcpu[key] = endcpu[key] " " field["end_cpu_ms"]
  slices[key] = slices[key] " " field["slices"]
  long[key] = long[key] " " field["long_slices"]
  longcpu[key] = longcpu[key] " " field["long_cpu_slices"]
  slicecpu[key] = slicecpu[key] " " field["longest_slice_cpu_ms"]
  prepared[key] = prepared[key] " " field["prepared"]
  preparedmib[key] = preparedmib[key] " " field["prepared_MiB"]
  frames[key] = field["frames"]
  budget[key] = field["budget_MiB"]
  pictures[key] = pictures[key] " " field["pictures"]
  late[key] = late[key] " " field["late"]
  dropped[key] = dropped[key] " " field["dropped"]
  unprepared[key] = unprepared[key] " " field["unprepared"]
  rss[key] = rss[key] " " field["peak_rss_MiB"]
  startrss[key] = startrss[key] " " field["start_rss_MiB"]
}
END {
  for (i = 1; i <= n; ++i) {
    key = order[i]
    split(key, part, " ")
    printf "%-3s %-4s first picture %s ms (CPU %s), end %s ms (CPU %s)\n",
      part[1], part[2], figure(first[key], "%.0f"), figure(firstcpu[key], "%.0f"),
      figure(end[key], "%.0f"), figure(endcpu[key], "%.0f")
    printf "         frames prepared at the end %s of %s, %s MiB estimated (budget %s MiB)\n",
      figure(prepared[key], "%.0f"), frames[key], figure(preparedmib[key], "%.0f"), budget[key]
    if (part[2] != "full")
      printf "         idle slices %s, over 10 ms %s (CPU %s), most CPU in one %s ms\n",
        figure(slices[key], "%.0f"), figure(long[key], "%.0f"), figure(longcpu[key], "%.0f"),
        figure(slicecpu[key], "%.1f")
    if (part[2] == "loop")
      printf "         pictures %s: late %s, dropped %s, paints that prepared their frame %s\n",
        figure(pictures[key], "%.0f"), figure(late[key], "%.0f"), figure(dropped[key], "%.0f"),
        figure(unprepared[key], "%.0f")
    printf "         peak resident %s MiB (before the load %s)\n",
      figure(rss[key], "%.1f"), figure(startrss[key], "%.1f")
  }
}
EOF
}

for SIZE in "${SIZES[@]}"; do
  SCRIPT=$(model "$SIZE")
  TRIS=${SIZE#*x}
  for ROUND in $(seq "$RUNS"); do
    for RENDERER in gl d3d; do
      "$BENCH" "$SCRIPT" --renderer "$RENDERER"
      "$BENCH" "$SCRIPT" --renderer "$RENDERER" --loop "$PASSES"
      if [ "$TRIS" -le 4000 ]; then
        "$BENCH" "$SCRIPT" --renderer "$RENDERER" --full
      fi
    done
  done >"$WORK/runs"
  echo "viewer load of $SIZE (every polygon type), $RUNS rounds: median (lowest-highest)"
  report "$WORK/runs"
done

if [ "${LARGEST:-0}" = 1 ]; then
  SCRIPT=$(model 1000x65535)
  for RENDERER in gl d3d; do
    "$BENCH" "$SCRIPT" --renderer "$RENDERER"
    "$BENCH" "$SCRIPT" --renderer "$RENDERER" --loop 1
  done >"$WORK/runs"
  echo "viewer load of 1000x65535, the largest model (every polygon type), one run"
  report "$WORK/runs"
fi
