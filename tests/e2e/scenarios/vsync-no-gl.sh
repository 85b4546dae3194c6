#!/usr/bin/env bash
# Wine's Direct3D needs OpenGL (GLX): on an X server without it Direct3DCreate8 fails, and the tester must
# say so and end cleanly. The program's tester alone (vsync_run.exe, built from the same library), in a
# Wine session of its own on an Xvfb without GLX: on such a server every mode reads 0 Hz, so tsln.exe's
# tester would list no resolution to start.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

exe="$E2E_BUILD/tests/e2e/vsync/vsync_run.exe"
[ -f "$exe" ] || { e2e_fail "$exe is not built"; e2e_end_scenario; }
for n in $(seq 90 99); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -extension GLX -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done
E2E_WINE_LOG="$E2E_TMP/wine.log"
if tsln_wine_new_prefix "$E2E_TMP/prefix"; then
    output=$(wine "$exe" 640 480 32 off 2>>"$E2E_WINE_LOG")
    status=$?
    output=$(printf '%s\n' "$output" | tr -d '\r')
    e2e_expect "status and result" "1 result: Direct3D 8 could not be started on this system." \
        "$status $(printf '%s\n' "$output" | grep '^result: ')"
else
    e2e_fail "no Wine prefix on the X server without GLX"
fi
tsln_wine_cleanup
kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
e2e_end_scenario
