#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test four ways:
#   1. the normal build (unit tests, pixel tests, the real-window test under Xvfb);
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the Debian package: built (without running the suite again) in a temporary folder,
#      lintian-clean of errors, checked against the install tree and run unpacked, never
#      installed on this machine;
#   4. the libFuzzer targets (clang), each replaying its seeds and then fuzzing for a while.
# Any failure stops the script with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=${JOBS:-$(nproc)}
FUZZ_SECONDS=${FUZZ_SECONDS:-30}

scripts/install-deps.sh

step() { printf '\n=== %s ===\n' "$*"; }

step "normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS"

step "sanitizer build (ASan+UBSan)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$JOBS"
ctest --test-dir build-asan --output-on-failure -j "$JOBS"

step "Debian package (built, checked and unpacked; not installed)"
PACKAGE_DIR=$(mktemp -d)
DEB=$(DEB_BUILD_OPTIONS=nocheck scripts/package.sh "$PACKAGE_DIR")
tests/package/package_test.sh "$DEB"
rm -rf "$PACKAGE_DIR"

step "fuzzers (${FUZZ_SECONDS}s each after the seed corpus)"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$JOBS"
FUZZ_SECONDS=$FUZZ_SECONDS scripts/run-fuzzers.sh build-fuzz

step "all test stages passed"
