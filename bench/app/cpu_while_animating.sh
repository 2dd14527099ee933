#!/usr/bin/env bash
# CPU use of the real viewer while it animates: starts build/app/tessaly on a private Xvfb
# display with a generated 500-triangle model (50 frames, three textures, every polygon type),
# makes the window's client area 480 x 480, turns Options > Loop Animation on (the frame rate
# stays at its starting 20 fps) with the keyboard as a user would, waits for the load to settle,
# and measures the process's CPU time (utime + stime of every thread, from /proc) over SECONDS.
# It measures twice: (i) in the state the viewer starts in, and (ii) after Options > Textures On
# has been switched off and on again. For each it prints the share of one core, the main
# thread's and the llvmpipe threads' parts, and the paints per second the viewer reported
# (TESSALY_TRACE_REDRAW), so a change that saves CPU by drawing less shows up.
#
# Usage: bench/app/cpu_while_animating.sh BUILD_DIR [SECONDS]
#   SECONDS   length of each measurement (default 10)
#   REPEAT=N  measures each state N times in the same run (default 1)
#   SHOTS=DIR copies the screenshots taken (textured, animating) into DIR
#   SEQUENCE=none  leaves the one-frame loop on frame 0 that a load starts with instead of
#             choosing Animations > Idle (the model's sequence)
#   PERF=DIR  also records each state with perf after measuring it (DIR/start.data,
#             DIR/textures.data; 'perf report -i FILE --no-children')
#   STRACE=DIR  also counts each state's system calls (strace -c) into DIR/start.txt, ...
#   KEEP=1    keeps the scratch folder (screenshots, the viewer's output) and prints its path
# Needs Xvfb, xdotool and ImageMagick (scripts/install-deps.sh installs them). Run it on an
# otherwise idle machine, several times: single runs vary by about half a point, and other
# work on the machine (a build) raises the figures; the load average is printed first.
set -euo pipefail

BUILD=$(realpath "${1:?usage: cpu_while_animating.sh BUILD_DIR [SECONDS]}")
SECONDS_PER_RUN=${2:-10}
REPEAT=${REPEAT:-1}
APP=$BUILD/app/tessaly
GEN=$BUILD/tools/zgen/tessaly-gen
HERE=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool import convert compare; do
    command -v "$tool" >/dev/null || { echo "needs $tool (scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$APP" ] && [ -x "$GEN" ] || { echo "no tessaly or tessaly-gen under $BUILD" >&2; exit 2; }

WORK=$(mktemp -d); [ -n "${KEEP:-}" ] && echo "work: $WORK"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${KEEP:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/app.err" ] && grep -v -e '^paint ' -e '^invalidate ' -e dconf "$WORK/app.err" | tail -20 >&2
    exit 1
}

source "$HERE/../../tests/window/xvfb.sh"
start_display 1024x768 || fail "no X display could be started"

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
CLK_TCK=$(getconf CLK_TCK)
SCRIPT=$("$GEN" "$WORK/content" --name Cpu --frames 50 --tris 500 --vertices 252 --textures 3 \
    --types 0,2,3,4,8 | tail -1)
[ -f "$SCRIPT" ] || fail "the model could not be generated"

# A home of its own, so nothing of the user's (settings, shader cache) takes part.
mkdir -p "$WORK/home"
HOME="$WORK/home" XDG_CACHE_HOME="$WORK/home/.cache" TESSALY_TRACE_REDRAW=1 \
    "$APP" "$SCRIPT" >"$WORK/app.out" 2>"$WORK/app.err" &
APP_PID=$!

keys() { xdotool key --delay 120 "$@"; }

WIN=$(timeout 20 xdotool search --sync --name '^Tessaly v1\.3$' | head -1) || true
[ -n "$WIN" ] || fail "the main window did not appear"

# ---- the client area (the GL canvas, an unnamed child of the frame) made 480 x 480 ------------
canvas_id() {
    local w
    for w in $(xdotool search --all --onlyvisible --maxdepth 2 --name '.*' 2>/dev/null); do
        [ "$w" = "$WIN" ] && continue
        [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] || continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -gt 100 ] && [ "$HEIGHT" -gt 100 ] && [ "$WIDTH" -lt 1024 ]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
size_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo "$WIDTH $HEIGHT"; }
CANVAS=""
found_canvas() { CANVAS=$(canvas_id); [ -n "$CANVAS" ]; }
wait_for 10000 found_canvas || fail "the window's GL canvas was not found"
client_is_480() { [ "$(size_of "$CANVAS")" = "480 480" ]; }
for attempt in 1 2 3; do
    client_is_480 && break
    read -r FW FH < <(size_of "$WIN")
    read -r CW CH < <(size_of "$CANVAS")
    xdotool windowsize "$WIN" $(( 480 + FW - CW )) $(( 480 + FH - CH ))
    wait_for 2000 client_is_480 || true
done
client_is_480 || fail "the client area is $(size_of "$CANVAS" | tr ' ' x), not 480x480"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
read -r FW FH < <(size_of "$WIN")
# The canvas fills the frame's width and its bottom (the menu bar is above it).
CLIENT="480x480+$X+$(( Y + FH - 480 ))"
client_shot() { import -window root -crop "$CLIENT" +repage "$1"; }
# The mean brightness and colour saturation of a picture, in thousandths: the background is
# black, the textures are coloured and the untextured (lit) model is grey.
brightness() { convert "$1" -colorspace Gray -format '%[fx:int(1000*mean)]' info:; }
saturation() { convert "$1" -colorspace HSL -channel G -separate -format '%[fx:int(1000*mean)]' info:; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

# ---- the load settles: the model is drawn and the process is idle for a second ---------------
process_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }
model_drawn() { client_shot "$WORK/drawn.png"; [ "$(brightness "$WORK/drawn.png")" -gt 50 ]; }
quiet() {
    local a b
    a=$(process_ticks); sleep 1; b=$(process_ticks)
    [ $(( b - a )) -le 1 ]
}
wait_for 60000 model_drawn || fail "the model was not drawn"
wait_for 60000 quiet || fail "the viewer did not settle after loading"

# ---- Options > Loop Animation on (the frame rate starts at 20 fps) --------------------------
# The viewer reports each paint (TESSALY_TRACE_REDRAW); while idle it paints nothing.
paints() { grep -c '^paint ' "$WORK/app.err" || true; }
PAINTS_BEFORE=$(paints)
painting() { [ $(( $(paints) - PAINTS_BEFORE )) -ge 10 ]; }
# The keyboard may be ignored for a moment after the focus arrives; the keys are sent again only
# when no paint at all followed them, so the item is never chosen twice.
for attempt in 1 2 3; do
    xdotool windowfocus --sync "$WIN"
    sleep 1
    keys F10 Right Down Down Return
    wait_for 3000 painting && break
    [ "$(paints)" -eq "$PAINTS_BEFORE" ] || break
done
# Animations > Idle, the model's one sequence: a load leaves a one-frame loop on frame 0 until
# a sequence is chosen, so only now do the pictures change (SEQUENCE=none keeps that loop).
[ "${SEQUENCE:-Idle}" = none ] || keys F10 Right Right Down Return
animating() {
    client_shot "$WORK/anim_a.png"
    sleep 0.2
    client_shot "$WORK/anim_b.png"
    [ "$(differing "$WORK/anim_a.png" "$WORK/anim_b.png")" -gt 200 ]
}
if [ "${SEQUENCE:-Idle}" != none ]; then
    wait_for 5000 animating || fail "the chosen sequence does not animate"
fi
textured() { client_shot "$WORK/$1.png"; [ "$(saturation "$WORK/$1.png")" -gt 100 ]; }
untextured() { client_shot "$WORK/$1.png"; [ "$(saturation "$WORK/$1.png")" -lt 20 ]; }

# ---- measuring -------------------------------------------------------------------------------
# Per thread: "tid comm ticks"; the comm may hold spaces, so the fields are counted from ')'.
thread_ticks() {
    local t
    for t in /proc/"$APP_PID"/task/*; do
        local stat
        stat=$(cat "$t/stat" 2>/dev/null) || continue
        local rest=${stat##*) }
        set -- $rest
        echo "${t##*/} $(cat "$t/comm" 2>/dev/null | tr ' ' _) $(( ${12} + ${13} ))"
    done
}
measure() {
    local label=$1
    thread_ticks >"$WORK/t0"
    local p0 t0 p1 t1
    p0=$(paints); t0=$(now_ms)
    sleep "$SECONDS_PER_RUN"
    thread_ticks >"$WORK/t1"
    p1=$(paints); t1=$(now_ms)
    awk -v label="$label" -v ms=$(( t1 - t0 )) -v hz="$CLK_TCK" -v pid="$APP_PID" \
        -v frames=$(( p1 - p0 )) '
        NR == FNR { before[$1] = $3; next }
        {
            d = $3 - ($1 in before ? before[$1] : 0)
            total += d
            if ($1 == pid) main += d
            else if ($2 ~ /^llvmpipe/) gl += d
            else other += d
        }
        END {
            s = ms / 1000.0
            printf "%-34s %5.1f %% of a core  (main thread %.1f, llvmpipe %.1f, other %.1f; %.1f paints/s over %.1f s)\n",
                label, 100.0 * total / hz / s, 100.0 * main / hz / s, 100.0 * gl / hz / s,
                100.0 * other / hz / s, frames / s, s
        }' "$WORK/t0" "$WORK/t1"
}

# PERF and STRACE: each state is also recorded, SECONDS long, after it has been measured.
profile() {
    if [ -n "${STRACE:-}" ]; then
        mkdir -p "$STRACE"
        timeout -s INT "$SECONDS_PER_RUN" strace -c -f -p "$APP_PID" -o "$STRACE/$1.txt" \
            >/dev/null 2>&1 || true
    fi
    [ -n "${PERF:-}" ] || return 0
    mkdir -p "$PERF"
    perf record -g -p "$APP_PID" -o "$PERF/$1.data" -- sleep "$SECONDS_PER_RUN" >/dev/null 2>&1 ||
        echo "perf record failed for $1" >&2
}

sleep 2
textured start || fail "the model is not drawn textured at start"
for run in $(seq "$REPEAT"); do measure "(i) start-up state:"; done
profile start

# ---- Options > Textures On, off and on again ------------------------------------------------
keys F10 Right Down Return
wait_for 5000 untextured untextured || fail "Textures On did not switch the textures off"
keys F10 Right Down Return
wait_for 5000 textured textures_again || fail "Textures On did not switch the textures on again"
sleep 2
if [ "${SEQUENCE:-Idle}" != none ]; then
    wait_for 5000 animating || fail "the animation stopped after switching textures"
fi
for run in $(seq "$REPEAT"); do measure "(ii) after Textures off and on:"; done
profile textures

if [ -n "${SHOTS:-}" ]; then
    mkdir -p "$SHOTS"
    import -window root "$SHOTS/screen.png"
    cp "$WORK/start.png" "$WORK/untextured.png" "$WORK/textures_again.png" "$WORK/anim_a.png" \
        "$WORK/anim_b.png" "$SHOTS/"
fi
xdotool windowfocus --sync "$WIN" 2>/dev/null || true
keys Escape
wait_for 10000 eval '! kill -0 "$APP_PID" 2>/dev/null' || true
APP_PID=""
