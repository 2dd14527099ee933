#!/usr/bin/env bash
# Usage: scripts/run-fuzzers.sh BUILD_DIR
# Runs every fuzz target of a fuzz build (cmake -DTESSALY_FUZZ=ON, clang): the three parsers and
# the whole load step, each for FUZZ_SECONDS seconds (default 30) from a fresh corpus of
# generated seeds. Any crash, leak, sanitizer report or hang makes the script fail; the input
# that caused it is kept in BUILD_DIR/fuzz-artifacts/ so it can become a unit test.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
BUILD=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
ARTIFACTS=$BUILD/fuzz-artifacts
mkdir -p "$ARTIFACTS"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Inputs of the load step stay small (a few files of a small model), so each run stays fast.
max_len() {
  case $1 in
    load) echo 4096 ;;
    *) echo 0 ;;
  esac
}

for name in script mesh pcx load; do
  target=$BUILD/fuzz/fuzz_$name
  if [ ! -x "$target" ]; then
    echo "missing fuzz target $target" >&2
    exit 1
  fi
  corpus=$WORK/$name
  mkdir -p "$corpus"
  if [ -x "$BUILD/fuzz/fuzz_seeds" ]; then
    "$BUILD/fuzz/fuzz_seeds" "$name" "$corpus"
  fi
  echo "--- fuzz_$name: $(ls "$corpus" | wc -l) seeds, ${FUZZ_SECONDS}s"
  if ! (cd "$WORK" && "$target" -max_total_time="$FUZZ_SECONDS" -detect_leaks=1 -timeout=20 \
          -max_len="$(max_len "$name")" -print_final_stats=1 -artifact_prefix="$ARTIFACTS/$name-" \
          "$corpus" 2>"$WORK/$name.log"); then
    tail -n 60 "$WORK/$name.log" >&2
    echo "fuzz_$name failed; inputs kept in $ARTIFACTS" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$WORK/$name.log" || true
done
echo "all fuzz targets ran clean"
