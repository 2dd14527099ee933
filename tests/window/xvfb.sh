# Sourced by the window tests and the real-window benchmarks: starts a private Xvfb display and
# exports DISPLAY, and polls for conditions (wait_for).
# start_display [WIDTHxHEIGHT] (1024x768 when not given) sets XVFB_PID; the caller kills it on
# exit. Needs WORK (a scratch folder).

now_ms() { date +%s%3N; }

# Polls until the condition command succeeds, at most $1 milliseconds.
wait_for() {
    local limit=$1
    shift
    local deadline=$(( $(now_ms) + limit ))
    until "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

start_display() {
    # -displayfd lets the server pick a free display number itself and report it, so tests
    # running side by side never share a display.
    : >"$WORK/display"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$WORK/display" \
        >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local deadline=$(( $(now_ms) + 10000 ))
    while [ "$(now_ms)" -lt "$deadline" ] && kill -0 "$XVFB_PID" 2>/dev/null; do
        local n
        n=$(tr -dc '0-9' <"$WORK/display")
        if [ -n "$n" ] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
            export DISPLAY=":$n"
            # Toolkit settings stay in memory: nothing of the user's is read or written.
            export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
            return 0
        fi
        sleep 0.05
    done
    return 1
}
