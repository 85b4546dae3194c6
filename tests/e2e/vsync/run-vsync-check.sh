#!/usr/bin/env bash
# The VSync test under Wine, full screen on the Xorg dummy display, through
# the program's own tester (vsync_run.exe):
#   1. 640 x 480 x 32, VSync OFF: the mode switches, a screenshot shows the
#      square and both text lines, a real click ends the test, the display
#      comes back to its own mode and the program ends cleanly;
#   2. 800 x 600 x 16, VSync ON, ended by Esc;
#   3. a size the display does not offer (2048 x 1536): the message comes
#      back, nothing is left on screen;
#   4. no d3d8.dll: the message comes back;
#   5. no OpenGL (an X server without GLX): the message comes back.
#
#   bash tests/e2e/vsync/run-vsync-check.sh BUILD-DIR     (the windows-x64 build)
#
# Screenshots and the programs' output stay in BUILD-DIR/tests/e2e/vsync/out.
set -uo pipefail

build=$(cd "${1:?usage: run-vsync-check.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
exe="$build/tests/e2e/vsync/vsync_run.exe"
out="$build/tests/e2e/vsync/out"
[ -f "$exe" ] || { echo "run-vsync-check: $exe not built" >&2; exit 1; }

# shellcheck source=../display-lib.sh
source "$root/tests/e2e/display-lib.sh"
# shellcheck source=../../wine/wine-lib.sh
source "$root/tests/wine/wine-lib.sh"

mkdir -p "$out"
rm -f "$out"/*
failures=0
run_pid=""

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok:   $*"; }

xvfb_pid=""
xorg_display=""

cleanup() {
    [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null
    # A mode set by a program that did not get to restore it stays after it exits.
    [ -n "${TSLN_XORG_PID:-}" ] && DISPLAY=$xorg_display xrandr -s 0 >/dev/null 2>&1
    tsln_wine_cleanup
    tsln_display_stop
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

screen_size() { xdpyinfo 2>/dev/null | awk '/dimensions:/ {print $2; exit}'; }
render_window() { xdotool search --name '^d3d_hWnd$' 2>/dev/null | head -n 1; }

# wait_for SECONDS COMMAND...: polls until COMMAND succeeds.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}
running() { kill -0 "$run_pid" 2>/dev/null; }
ended() { ! running; }
switched_to() { [ "$(screen_size)" = "$1" ] && [ -n "$(render_window)" ]; }

# Starts vsync_run.exe in the background; its output goes to $out/NAME.txt.
start_run() {
    local name=$1
    shift
    wine "$exe" "$@" >"$out/$name.txt" 2>"$out/$name.err" &
    run_pid=$!
}
# Waits for the run to end; sets run_status.
finish_run() {
    if ! wait_for "$1" ended; then
        kill "$run_pid" 2>/dev/null
        run_status=timeout
    else
        wait "$run_pid"
        run_status=$?
    fi
    run_pid=""
}
result_of() { sed -n 's/^result: //p' "$out/$1.txt" | tr -d '\r'; }
frames_of() { sed -n 's/^frames: //p' "$out/$1.txt" | tr -d '\r'; }

tsln_display_start || exit 1
xorg_display=$DISPLAY
tsln_wine_new_prefix "$(mktemp -d /tmp/tsln-vsync-prefix.XXXXXX)" || exit 1
desktop=$(screen_size)
echo "display $DISPLAY, desktop $desktop"

# --- 1. 640 x 480 x 32, VSync OFF, ended by a click --------------------------
start_run off640 640 480 32 off
if wait_for 60 switched_to 640x480; then
    pass "full screen at 640x480 with the render window \"d3d_hWnd\""
    # The square turns a degree a frame and is edge-on twice a turn: grab
    # until one picture shows it broad, and keep that one.
    shot="$out/vsync-640x480x32-off.png"
    best=0
    for _ in $(seq 1 40); do
        import -silent -window root "$out/grab.png" 2>/dev/null || continue
        square=$(tsln_lit_share "$out/grab.png" 640x400+0+60)
        if awk "BEGIN{exit !($square > $best)}"; then
            best=$square
            cp "$out/grab.png" "$shot"
        fi
        awk "BEGIN{exit !($best > 0.05)}" && break
        sleep 0.05
    done
    rm -f "$out/grab.png"
    size=$(identify -format '%wx%h' "$shot" 2>/dev/null)
    line1=$(tsln_text_pixels "$shot" 500x20+0+0)
    line2=$(tsln_text_pixels "$shot" 250x20+0+20)
    echo "      screenshot $shot: ${size}, square lit over $best of the picture, text pixels $line1 / $line2"
    [ "$size" = 640x480 ] && pass "screenshot is the 640x480 mode" || fail "screenshot is $size"
    awk "BEGIN{exit !($best > 0.03)}" && pass "square visible" || fail "no square in the picture"
    [ "${line1:-0}" -gt 150 ] && pass "frame-rate line visible" || fail "frame-rate line missing ($line1 pixels)"
    [ "${line2:-0}" -gt 150 ] && pass "finish line visible" || fail "finish line missing ($line2 pixels)"

    xdotool mousemove 320 240 click 1
    finish_run 30
    result=$(result_of off640)
    frames=$(frames_of off640)
    [ "$run_status" = 0 ] && [ "$result" = ok ] && pass "a click ended the test ($frames frames)" ||
        fail "after the click: status $run_status, result \"$result\""
    [ "$(screen_size)" = "$desktop" ] && pass "desktop mode $desktop back" || fail "display left at $(screen_size)"
    [ -z "$(render_window)" ] && pass "render window gone" || fail "render window still there"
else
    fail "no full-screen 640x480 render window within 60 s (screen $(screen_size))"
    finish_run 1
fi

# --- 2. 800 x 600 x 16, VSync ON, ended by Esc --------------------------------
start_run on800 800 600 16 on
if wait_for 60 switched_to 800x600; then
    pass "full screen at 800x600 in 16 bit with VSync ON"
    wait_for 10 test -n "$(frames_of on800)"
    xdotool search --name '^d3d_hWnd$' windowactivate --sync 2>/dev/null
    xdotool key Escape
    finish_run 30
    result=$(result_of on800)
    [ "$run_status" = 0 ] && [ "$result" = ok ] && pass "Esc ended the test ($(frames_of on800) frames)" ||
        fail "after Esc: status $run_status, result \"$result\""
    [ "$(screen_size)" = "$desktop" ] && pass "desktop mode $desktop back" || fail "display left at $(screen_size)"
else
    fail "no full-screen 800x600 render window within 60 s (screen $(screen_size))"
    finish_run 1
fi

# --- 3. A size the display does not offer ------------------------------------
start_run big 2048 1536 32 off
finish_run 60
expected="Direct3D 8 could not switch to 2048 x 1536 at 32 bit."
result=$(result_of big)
[ "$run_status" = 1 ] && [ "$result" = "$expected" ] && pass "2048x1536: \"$result\"" ||
    fail "2048x1536: status $run_status, result \"$result\""
[ "$(screen_size)" = "$desktop" ] && pass "desktop mode $desktop kept" || fail "display left at $(screen_size)"
[ -z "$(render_window)" ] && pass "render window gone" || fail "render window still there"

# --- 4. No d3d8.dll -------------------------------------------------------------
WINEDLLOVERRIDES="d3d8=;$WINEDLLOVERRIDES" start_run nod3d8 640 480 32 off
finish_run 60
expected="Direct3D 8 is not installed (d3d8.dll)."
result=$(result_of nod3d8)
[ "$run_status" = 1 ] && [ "$result" = "$expected" ] && pass "without d3d8.dll: \"$result\"" ||
    fail "without d3d8.dll: status $run_status, result \"$result\""

# --- 5. No OpenGL ------------------------------------------------------------------
# Wine's Direct3D needs GLX: on an X server without it, Direct3DCreate8 fails.
# A session of its own on that server, in a fresh prefix.
tsln_wine_cleanup
for n in $(seq 90 99); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -extension GLX -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
if wait_for 20 xdpyinfo >/dev/null 2>&1 && tsln_wine_new_prefix "$(mktemp -d /tmp/tsln-vsync-prefix.XXXXXX)"; then
    start_run nogl 640 480 32 off
    finish_run 60
    expected="Direct3D 8 could not be started on this system."
    result=$(result_of nogl)
    [ "$run_status" = 1 ] && [ "$result" = "$expected" ] && pass "without GLX: \"$result\"" ||
        fail "without GLX: status $run_status, result \"$result\""
else
    fail "no X server without GLX to test on"
fi

if [ "$failures" -eq 0 ]; then
    echo "run-vsync-check: all passed"
    exit 0
fi
echo "run-vsync-check: $failures failed (output in $out)"
exit 1
