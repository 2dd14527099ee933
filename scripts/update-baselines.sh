#!/usr/bin/env bash
# Rewrites the stored baseline pictures (tests/render/expected/*.png) from the current build:
# builds tessaly-render and the baseline test, then runs every baseline case in store mode.
# Use it only when a picture change is intended; look at the new pictures and say why they
# changed in the commit that stores them.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
JOBS=${JOBS:-$(nproc)}

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD" -j "$JOBS" --target tessaly-render render_baseline_tests
TESSALY_UPDATE_BASELINES=1 "$BUILD/tests/render/render_baseline_tests"
# Check the stored pictures the way the suite will.
"$BUILD/tests/render/render_baseline_tests"
git status --short tests/render/expected
