#!/usr/bin/env bash
# Installs what is missing, builds, writes the bundled sample to ./sample and starts the viewer
# from the repository root with the sample open.
# Without a display it says so and shows how to render pictures with tessaly-render instead.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-$(nproc)}

scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j "$JOBS"
build/tools/zgen/tessaly-gen --sample sample

SCRIPT=$(ls sample/Pkg/Classes/*.zc 2>/dev/null | head -1)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<EOF

No display (\$DISPLAY is empty), so the viewer cannot open its window.
The sample is in ./sample. Render what the viewer would show into a PNG file with:

    build/tools/render/tessaly-render ${SCRIPT:-sample/Pkg/Classes/X.zc} -o out.png

Run build/tools/render/tessaly-render with no arguments for its options (other frames and
sequences, angles, size, polygon filter, background).
EOF
    exit 0
fi

if [ -z "$SCRIPT" ]; then
    echo "The sample was not written; starting the viewer without a model." >&2
    exec build/app/tessaly
fi
echo "Starting the viewer on $SCRIPT."
exec build/app/tessaly "$SCRIPT"
