# Sourced by the window tests: starts a private Xvfb display and exports DISPLAY.
# start_display sets XVFB_PID; the caller kills it on exit. Needs WORK (a scratch folder).

now_ms() { date +%s%3N; }

start_display() {
    local n deadline
    for n in $(seq 91 140); do
        { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        deadline=$(( $(now_ms) + 10000 ))
        while [ "$(now_ms)" -lt "$deadline" ] && kill -0 "$XVFB_PID" 2>/dev/null; do
            if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$n"
                # Toolkit settings stay in memory: nothing of the user's is read or written.
                export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
                return 0
            fi
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    return 1
}
