#!/usr/bin/env bash
# Runs one command on a private Xvfb display (for tests of the toolkit glue that need X).
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -euo pipefail
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
WORK=$(mktemp -d)
XVFB_PID=""
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
source "$(dirname "$0")/xvfb.sh"
start_display || { echo "FAIL: no X display could be started"; exit 1; }
"$@"
