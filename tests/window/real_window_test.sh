#!/usr/bin/env bash
# Real-window test: runs the viewer on a private Xvfb display and drives it with xdotool as a
# user would. Starts it with the bundled sample's script on the command line and expects the
# model drawn, opens the script again through File > Open script and the GTK file chooser,
# checks from screenshots that the model is drawn, that Left turns it, that a looping sequence
# animates and stops again, and that 'n' steps a frame while Alt+n does not; switches to
# Direct3D through Options > Use Direct3D and the device chooser (first line preselected,
# Return), checks the model is seen as large as with OpenGL and the item checked, and switches
# back; turns the model with a left drag and brings it nearer with a wheel step, saves the
# picture with Ctrl+S and copies it with Ctrl+C and expects the file and the clipboard's image to
# hold exactly the pixels on screen; then presses
# Escape and expects exit status 0, and that the run left only its settings file in the user's
# folders; starts the viewer again without a script and opens the first of File > Recent
# Scripts. Last it starts the viewer again at a desktop scale of 2 (GDK_SCALE=2) and
# expects the window twice as large each way with the model filling it as at scale 1, with
# OpenGL and with Direct3D.
#
# Usage: real_window_test.sh TESSALY TESSALY_GEN
# Exits 77 (skipped) when Xvfb, xdotool, xclip or ImageMagick is missing. With SHOTS set to a folder,
# the renderer switch's screenshots are copied there.
set -euo pipefail

APP=$(realpath "$1")
GEN=$(realpath "$2")
for tool in Xvfb xdotool xclip import convert compare identify; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d)
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$WORK/app.err" ] && grep -v -e dconf -e '^$' "$WORK/app.err" | tail -20
    exit 1
}

source "$(dirname "$0")/xvfb.sh"
# Room for the window at a desktop scale of 2: 960 x 960 pixels at 200, 200.
start_display 1280x1280 || fail "no X display could be started"

# ---- screenshots ------------------------------------------------------------------------------
# The checked region: 160 x 160 pixels in the middle of the window's client area.
REGION=""
shot() { import -window root -crop "$REGION" +repage "$1"; }
colours() { convert "$1" -format '%k' info:; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

model_drawn() { shot "$WORK/drawn.png"; [ "$(colours "$WORK/drawn.png")" -gt 20 ]; }
picture_changed() { shot "$WORK/now.png"; [ "$(differing "$1" "$WORK/now.png")" -gt 200 ]; }
# Still over 300 ms: a sequence looping at 20 frames a second would have moved.
held_still() {
    shot "$WORK/still_a.png"
    sleep 0.3
    shot "$WORK/still_b.png"
    [ "$(differing "$WORK/still_a.png" "$WORK/still_b.png")" -le 200 ]
}
app_exited() { ! kill -0 "$APP_PID" 2>/dev/null; }
# The client area below the menu bar, and how many of its pixels are not the background.
client_shot() { import -window root -crop "$CLIENT" +repage "$1"; }
foreground() {
    local size=${CLIENT%%+*}
    compare -metric AE -fuzz 3% "$1" -size "$size" "xc:$BACKGROUND" null: 2>&1 | cut -d' ' -f1 || true
}
# The model as large as in the OpenGL reference (within a quarter), so not black nor a fragment.
model_like_reference() {
    client_shot "$WORK/$1.png"
    local seen
    seen=$(foreground "$WORK/$1.png")
    [ "$seen" -gt $(( REFERENCE * 3 / 4 )) ] && [ "$seen" -lt $(( REFERENCE * 5 / 4 )) ]
}
# The Options pop-up's items as drawn, the check boxes included.
options_menu_shot() {
    keys F10 Right
    sleep 0.5
    import -window root -crop "$MENU" +repage "$1"
    keys Escape
}
chooser_gone() { ! xdotool search --onlyvisible --name "$CHOOSER" >/dev/null 2>&1; }
chooser_gone_after_open() {
    ! xdotool search --onlyvisible --name '^Select the ZentorScript source file to open$' \
        >/dev/null 2>&1
}
keys() { xdotool key --delay 120 "$@"; }

# ---- start the viewer -------------------------------------------------------------------------
"$GEN" --sample "$WORK/sample" >/dev/null || fail "the sample could not be written"
SCRIPT=$(ls "$WORK"/sample/Pkg/Classes/*.zc | head -1)
cd "$WORK"
# A home of its own, and the desktop's settings store as a user's session would have it (a
# private session bus when one can be started, and no settings backend chosen for the program),
# so anything the program keeps between runs would show up under USER_HOME.
USER_HOME="$WORK/home"
mkdir -p "$USER_HOME"
SESSION=()
command -v dbus-run-session >/dev/null && SESSION=(dbus-run-session --)
env -u GSETTINGS_BACKEND HOME="$USER_HOME" XDG_CONFIG_HOME="$USER_HOME/.config" \
    XDG_DATA_HOME="$USER_HOME/.local/share" XDG_CACHE_HOME="$USER_HOME/.cache" \
    "${SESSION[@]}" "$APP" "$SCRIPT" >"$WORK/app.out" 2>"$WORK/app.err" &
APP_PID=$!

WIN=$(timeout 20 xdotool search --sync --name '^Tessaly v1\.3$' | head -1) || true
[ -n "$WIN" ] || fail "the main window did not appear"
# The window may be mapped a moment before it reaches its place and size.
placed() {
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    [ "$WIDTH" -eq 480 ] && [ "$HEIGHT" -eq 480 ] && [ "$X" -eq 100 ] && [ "$Y" -eq 100 ]
}
wait_for 5000 placed || fail "window is ${WIDTH}x${HEIGHT} at $X,$Y, not 480x480 at 100,100"
# Below the menu bar: the centre of the window, shifted down a little.
REGION="160x160+$(( X + WIDTH / 2 - 80 ))+$(( Y + HEIGHT / 2 - 60 ))"
CLIENT="$(( WIDTH - 20 ))x$(( HEIGHT - 50 ))+$(( X + 10 ))+$(( Y + 40 ))"
# The Options pop-up opens under its title, its items' check boxes at the left.
MENU="180x140+$(( X + 45 ))+$(( Y + 30 ))"
xdotool windowfocus --sync "$WIN"

# The script named on the command line is opened at start-up, without the file chooser; the
# background is read in the client area's corner, away from the model.
wait_for 30000 model_drawn || fail "the script named on the command line was not opened"
client_shot "$WORK/start.png"
BACKGROUND=$(convert "$WORK/start.png" -format '%[pixel:p{0,0}]' info:)

# ---- File > Open script through the GTK chooser: the same script opened again ----------------
keys F10 Down Return
timeout 20 xdotool search --sync --name '^Select the ZentorScript source file to open$' \
    >/dev/null || fail "the open-file chooser did not appear"
keys ctrl+l
xdotool type --delay 10 "$SCRIPT"
CHOSEN_MS=$(now_ms)
keys Return
wait_for 5000 chooser_gone_after_open || fail "the open-file chooser did not close"
wait_for 30000 model_drawn || fail "no model drawn after opening $SCRIPT"
echo "first drawn frame seen $(( $(now_ms) - CHOSEN_MS )) ms after choosing the script"
sleep 0.5
client_shot "$WORK/opengl.png"
REFERENCE=$(foreground "$WORK/opengl.png")
[ "$REFERENCE" -gt 1000 ] || fail "the OpenGL view shows only $REFERENCE model pixels"

# ---- Left turns the model ---------------------------------------------------------------------
xdotool windowfocus --sync "$WIN"
shot "$WORK/before_left.png"
keys Left
wait_for 5000 picture_changed "$WORK/before_left.png" || fail "Left did not change the picture"

# ---- Loop Animation on, a sequence chosen: frames advance on their own ------------------------
keys F10 Right Down Down Return               # Options > Loop Animation
keys F10 Right Right Down Down Return         # Animations > the second sequence
for step in 1 2 3; do
    shot "$WORK/frame$step.png"
    wait_for 5000 picture_changed "$WORK/frame$step.png" ||
        fail "the looping sequence stopped advancing (step $step)"
done

# ---- Loop Animation off again: the view holds still, and 'n' steps one frame -----------------
keys F10 Right Down Down Return
wait_for 5000 held_still || fail "the view still animates with Loop Animation off"
# Alt+n is a menu mnemonic: no frame step.
shot "$WORK/before_alt_n.png"
keys alt+n
sleep 0.5
shot "$WORK/after_alt_n.png"
[ "$(differing "$WORK/before_alt_n.png" "$WORK/after_alt_n.png")" -le 200 ] ||
    fail "Alt+n stepped a frame"
shot "$WORK/before_n.png"
keys n
wait_for 5000 picture_changed "$WORK/before_n.png" || fail "'n' did not step to the next frame"

# ---- Options > Use Direct3D: the device chooser, then the model drawn by Direct3D ---------------
CHOOSER='^Choose the Direct3D device to use$'
xdotool windowfocus --sync "$WIN"
options_menu_shot "$WORK/menu_opengl.png"
keys F10 Right Down Down Down Down Down Down Return
timeout 20 xdotool search --sync --name "$CHOOSER" >/dev/null ||
    fail "the Direct3D device chooser did not appear"
sleep 0.5
import -window root "$WORK/chooser.png"
keys Return                                   # the preselected first device
wait_for 5000 chooser_gone || fail "Return did not close the device chooser"
wait_for 30000 model_like_reference direct3d ||
    fail "Direct3D shows $(foreground "$WORK/direct3d.png") model pixels, OpenGL $REFERENCE"
echo "model pixels: OpenGL $REFERENCE, Direct3D $(foreground "$WORK/direct3d.png");" \
     "$(differing "$WORK/opengl.png" "$WORK/direct3d.png") pixels differ"
xdotool windowfocus --sync "$WIN"
options_menu_shot "$WORK/menu_direct3d.png"
[ "$(differing "$WORK/menu_opengl.png" "$WORK/menu_direct3d.png")" -gt 10 ] ||
    fail "Use Direct3D is not shown checked"

# ---- and back to OpenGL: the item unchecked (so the switch is done), the same view as before ----
keys F10 Right Down Down Down Down Down Down Return
xdotool windowfocus --sync "$WIN"
options_menu_shot "$WORK/menu_opengl_again.png"
[ "$(differing "$WORK/menu_opengl.png" "$WORK/menu_opengl_again.png")" -le 10 ] ||
    fail "Use Direct3D is still shown checked after switching back"
wait_for 30000 model_like_reference opengl_again ||
    fail "back on OpenGL $(foreground "$WORK/opengl_again.png") model pixels, before $REFERENCE"
same_as_first_opengl() {
    client_shot "$WORK/opengl_again.png"
    [ "$(differing "$WORK/opengl.png" "$WORK/opengl_again.png")" -le 200 ]
}
wait_for 5000 same_as_first_opengl ||
    fail "OpenGL draws the reloaded model differently after Direct3D" \
         "($(differing "$WORK/opengl.png" "$WORK/opengl_again.png") pixels differ)"
[ -n "${SHOTS:-}" ] && cp "$WORK"/chooser.png "$WORK"/opengl.png "$WORK"/direct3d.png "$WORK"/opengl_again.png \
    "$WORK"/menu_*.png "$SHOTS"/

# ---- the mouse: a left drag turns the model, a wheel step brings it nearer ----------------------
CENTRE_X=$(( X + WIDTH / 2 ))
CENTRE_Y=$(( Y + HEIGHT / 2 ))
xdotool windowfocus --sync "$WIN"
shot "$WORK/before_drag.png"
xdotool mousemove "$CENTRE_X" "$CENTRE_Y" mousedown 1 mousemove $(( CENTRE_X + 20 )) "$CENTRE_Y" \
    mousemove $(( CENTRE_X + 40 )) $(( CENTRE_Y + 10 )) mouseup 1
wait_for 5000 picture_changed "$WORK/before_drag.png" || fail "a left drag did not turn the model"
client_shot "$WORK/dragged.png"
shot "$WORK/before_wheel.png"
xdotool click 4
wait_for 5000 picture_changed "$WORK/before_wheel.png" || fail "a wheel step did not move the view"
client_shot "$WORK/wheeled.png"
[ "$(foreground "$WORK/wheeled.png")" -gt "$(foreground "$WORK/dragged.png")" ] ||
    fail "wheel forward did not bring the model nearer"

# ---- File > Save Picture... (Ctrl+S): the file holds exactly the pixels on screen --------------
SAVER='^Save the picture as$'
saver_shown() { xdotool search --onlyvisible --name "$SAVER" >/dev/null 2>&1; }
xdotool windowfocus --sync "$WIN"
keys ctrl+s
# On a loaded machine the key may reach the window before it has the keyboard again: once more.
if ! wait_for 10000 saver_shown; then
    xdotool windowfocus --sync "$WIN"
    keys ctrl+s
    wait_for 20000 saver_shown || fail "the save chooser did not appear"
fi
keys ctrl+a
xdotool type --delay 10 "$WORK/saved.png"
keys Return
saver_gone() { ! xdotool search --onlyvisible --name "$SAVER" >/dev/null 2>&1; }
wait_for 5000 saver_gone || fail "the save chooser did not close"
wait_for 5000 test -s "$WORK/saved.png" || fail "no picture was saved"
SAVED_W=$(identify -format %w "$WORK/saved.png")
SAVED_H=$(identify -format %h "$WORK/saved.png")
[ "$SAVED_W" -eq "$WIDTH" ] || fail "the saved picture is $SAVED_W wide, the window $WIDTH"
sleep 0.5
# The canvas fills the client area below the menu bar.
import -window root -crop "${SAVED_W}x${SAVED_H}+$X+$(( Y + HEIGHT - SAVED_H ))" +repage \
    "$WORK/canvas.png"
SAVED_DIFF=$(differing "$WORK/saved.png" "$WORK/canvas.png")
echo "saved picture ${SAVED_W}x${SAVED_H}: $SAVED_DIFF pixels differ from the screen"
[ "$SAVED_DIFF" -eq 0 ] || fail "the saved picture differs from the screen in $SAVED_DIFF pixels"

# ---- File > Copy Picture (Ctrl+C): the same pixels on the clipboard as an image ---------------
xdotool windowfocus --sync "$WIN"
keys ctrl+c
clipboard_has_picture() {
    xclip -selection clipboard -t image/png -o >"$WORK/copied.png" 2>/dev/null &&
        [ -s "$WORK/copied.png" ]
}
wait_for 5000 clipboard_has_picture || fail "Ctrl+C put no picture on the clipboard"
COPIED_DIFF=$(differing "$WORK/copied.png" "$WORK/canvas.png")
[ "$COPIED_DIFF" -eq 0 ] || fail "the copied picture differs from the screen in $COPIED_DIFF pixels"
[ -n "${SHOTS:-}" ] && cp "$WORK"/dragged.png "$WORK"/wheeled.png "$WORK"/saved.png \
    "$WORK"/canvas.png "$WORK"/copied.png "$SHOTS"/

# ---- Escape ends the program with status 0 ----------------------------------------------------
xdotool windowfocus --sync "$WIN"
keys Escape
wait_for 10000 app_exited || fail "Escape did not end the program"
STATUS=0
wait "$APP_PID" || STATUS=$?
APP_PID=""
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS"

# ---- kept for the next run: the settings file and nothing else ----------------------------------
# Caches of the GL driver and fonts may stay, and the program's own settings file; the settings
# store's cache may not. GTK's chooser also adds the chosen file to the desktop's recent-files
# list, which GTK 3 can only switch off by emptying the user's whole list; that list is not
# checked here.
SETTINGS="$USER_HOME/.config/tessaly/tessaly.conf"
KEPT=$(cd "$USER_HOME" && find . -type f ! -path './.cache/mesa_shader_cache/*' \
                                        ! -path './.cache/fontconfig/*' \
                                        ! -path './.local/share/recently-used.xbel' \
                                        ! -path './.config/tessaly/tessaly.conf' | sort)
[ -z "$KEPT" ] || fail "the run left state for the next one: $(echo $KEPT)"
grep -qxF "1=$SCRIPT" "$SETTINGS" || fail "the script is not the first recent one: $(cat "$SETTINGS")"

# ---- after a restart File > Recent Scripts opens it again --------------------------------------
env HOME="$USER_HOME" "$APP" >"$WORK/app.out" 2>"$WORK/app.err" &
APP_PID=$!
WIN=$(timeout 20 xdotool search --sync --name '^Tessaly v1\.3$' | head -1) || true
[ -n "$WIN" ] || fail "the main window did not appear again"
wait_for 5000 placed || fail "window is ${WIDTH}x${HEIGHT} at $X,$Y after the restart"
xdotool windowfocus --sync "$WIN"
sleep 0.5
model_drawn && fail "a model is drawn before any script was opened"
keys F10 Down Down Right Return               # File > Recent Scripts > the first
wait_for 30000 model_drawn || fail "File > Recent Scripts did not open $SCRIPT after a restart"
xdotool windowfocus --sync "$WIN"
keys Escape
wait_for 10000 app_exited || fail "Escape did not end the restarted program"
wait "$APP_PID" || fail "the restarted program ended with an error"
APP_PID=""

# ---- at a desktop scale of 2 the model fills the window as at 1 -------------------------------
# Every length doubles: the window, its menu bar and the checked regions. The model seen with
# OpenGL once the script is open covers four times the pixels of the first run's, and its outline
# scaled back by half matches that run's (only pixels along the edges may differ).
env HOME="$USER_HOME" GDK_SCALE=2 "$APP" "$SCRIPT" >"$WORK/app.out" 2>"$WORK/app.err" &
APP_PID=$!
WIN=$(timeout 20 xdotool search --sync --name '^Tessaly v1\.3$' | head -1) || true
[ -n "$WIN" ] || fail "the main window did not appear at scale 2"
placed_twice() {
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    [ "$WIDTH" -eq 960 ] && [ "$HEIGHT" -eq 960 ] && [ "$X" -eq 200 ] && [ "$Y" -eq 200 ]
}
wait_for 5000 placed_twice ||
    fail "at scale 2 the window is ${WIDTH}x${HEIGHT} at $X,$Y, not 960x960 at 200,200"
REGION="320x320+$(( X + WIDTH / 2 - 160 ))+$(( Y + HEIGHT / 2 - 120 ))"
CLIENT="$(( WIDTH - 40 ))x$(( HEIGHT - 100 ))+$(( X + 20 ))+$(( Y + 80 ))"
xdotool windowfocus --sync "$WIN"
wait_for 30000 model_drawn || fail "no model drawn at scale 2"
sleep 0.5
client_shot "$WORK/opengl_scale2.png"
import -window root "$WORK/screen_scale2.png"
SCALED=$(foreground "$WORK/opengl_scale2.png")
[ "$SCALED" -gt $(( REFERENCE * 4 * 9 / 10 )) ] && [ "$SCALED" -lt $(( REFERENCE * 4 * 11 / 10 )) ] ||
    fail "at scale 2 OpenGL shows $SCALED model pixels, not about 4 x $REFERENCE"
outline() { convert "$1" -fuzz 3% -transparent "$BACKGROUND" -alpha extract "$2"; }
convert "$WORK/opengl_scale2.png" -scale 50% "$WORK/opengl_scale2_half.png"
outline "$WORK/opengl.png" "$WORK/outline_scale1.png"
outline "$WORK/opengl_scale2_half.png" "$WORK/outline_scale2.png"
OUTLINE_DIFF=$(differing "$WORK/outline_scale1.png" "$WORK/outline_scale2.png")
echo "scale 2: $SCALED model pixels (scale 1: $REFERENCE);" \
     "$OUTLINE_DIFF of the halved outline's pixels differ"
[ "$OUTLINE_DIFF" -lt $(( REFERENCE / 10 )) ] ||
    fail "at scale 2 the model's outline differs from scale 1's in $OUTLINE_DIFF pixels"

# Direct3D sizes its device and presents its picture by the same pixels.
REFERENCE=$SCALED
keys F10 Right Down Down Down Down Down Down Return
timeout 20 xdotool search --sync --name "$CHOOSER" >/dev/null ||
    fail "the Direct3D device chooser did not appear at scale 2"
sleep 0.5
keys Return
wait_for 5000 chooser_gone || fail "Return did not close the device chooser at scale 2"
wait_for 30000 model_like_reference direct3d_scale2 ||
    fail "at scale 2 Direct3D shows $(foreground "$WORK/direct3d_scale2.png") model pixels," \
         "OpenGL $REFERENCE"
import -window root "$WORK/screen_direct3d_scale2.png"
[ -n "${SHOTS:-}" ] && cp "$WORK"/opengl_scale2.png "$WORK"/direct3d_scale2.png \
    "$WORK"/screen_scale2.png "$WORK"/screen_direct3d_scale2.png "$SHOTS"/
xdotool windowfocus --sync "$WIN"
keys Escape
wait_for 10000 app_exited || fail "Escape did not end the program at scale 2"
STATUS=0
wait "$APP_PID" || STATUS=$?
APP_PID=""
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS at scale 2"
echo "PASS"
