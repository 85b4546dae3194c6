#!/usr/bin/env bash
# The VSync tester, full screen on the Xorg dummy display, through the real program: 640 x 480 at 32 bit
# with VSync OFF shows the square and both text lines, a real click ends it and the dialog comes back,
# usable, with the desktop's mode; 640 x 400 at 16 bit with VSync ON is ended by Esc (a user whose mouse
# does not reach the test has a way out); a size the X server does not offer gives the failure message and
# the dialog comes back; without d3d8.dll the tester says so. (An X server without OpenGL: vsync-no-gl.sh.)
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

tester="Tessaline VSync Tester"
render_window() { xdotool search --name '^d3d_hWnd$' 2>/dev/null | head -n 1; }

e2e_scenario profiles/demo || e2e_end_scenario
desktop=$(tsln_screen_size)
# Without d3d8.dll; first, since a mode switch makes Wine rewrite the driver key that the seed filled.
WINEDLLOVERRIDES="d3d8=;${WINEDLLOVERRIDES:-}" e2e_start_tsln
e2e_drive wait-main menu:IDM_D3DTEST "dialog:$tester" "type:IDC_D3D_CMBRES:640 x 480" \
    "type:IDC_D3D_CMBBITRATES:32 bit" click:IDC_D3D_GO box:OK click:IDC_D3D_CANCEL "closed:$tester" \
    menu:IDM_EXIT gone
e2e_expect "without d3d8.dll" "box=Direct3D 8 is not installed (d3d8.dll)." "$E2E_OUT"

e2e_start_tsln
e2e_drive wait-main menu:IDM_D3DTEST "dialog:$tester" "type:IDC_D3D_CMBRES:640 x 480" \
    "type:IDC_D3D_CMBBITRATES:32 bit" press:IDC_D3D_OPTOFF click:IDC_D3D_GO window:d3d_hWnd
shot="$E2E_ARTIFACTS/vsync-640x480x32.png"
tsln_wait_screen 640x480
# Frames are on screen once the text shows; the square turns a degree a frame and is edge-on twice a turn,
# so grab until it shows broad too.
lit=0
for _ in $(seq 1 100); do
    import -silent -window root "$shot" 2>/dev/null || continue
    lit=$(tsln_lit_share "$shot" 640x400+0+60)
    [ "$(tsln_text_pixels "$shot" 500x20+0+0)" -gt 150 ] && awk "BEGIN{exit !($lit > 0.05)}" && break
    sleep 0.05
done
e2e_expect "screen during the test" 640x480 "$(identify -format '%wx%h' "$shot")"
awk "BEGIN{exit !($lit > 0.03)}" || e2e_fail "no square in the test picture"
[ "$(tsln_text_pixels "$shot" 500x20+0+0)" -gt 150 ] || e2e_fail "no frame-rate line in the test picture"
[ "$(tsln_text_pixels "$shot" 250x20+0+20)" -gt 150 ] || e2e_fail "no finish line in the test picture"
xdotool mousemove 320 240 click 1
e2e_drive window-gone:d3d_hWnd "dialog:$tester" no-box enabled-now
e2e_expect "main window while the tester is open" "enabled=0" "$E2E_OUT"
tsln_wait_screen "$desktop"
e2e_expect "desktop after the click" "$desktop" "$(tsln_screen_size)"

e2e_drive "dialog:$tester" "type:IDC_D3D_CMBRES:640 x 400" "type:IDC_D3D_CMBBITRATES:16 bit" \
    press:IDC_D3D_OPTON click:IDC_D3D_GO window:d3d_hWnd
tsln_wait_screen 640x400 || e2e_fail "the screen is $(tsln_screen_size), not 640x400, with VSync ON at 16 bit"
sleep 0.5
xdotool search --name '^d3d_hWnd$' windowactivate --sync >/dev/null 2>&1
xdotool key Escape
e2e_drive window-gone:d3d_hWnd "dialog:$tester" no-box
tsln_wait_screen "$desktop"
e2e_expect "desktop after Esc" "$desktop" "$(tsln_screen_size)"

# 2048 x 1536 is not among the X server's modes: the device is refused and the dialog comes back.
e2e_drive "dialog:$tester" "type:IDC_D3D_CMBRES:2048 x 1536" "type:IDC_D3D_CMBBITRATES:32 bit" \
    click:IDC_D3D_GO box:OK click:IDC_D3D_CANCEL "closed:$tester" enabled menu:IDM_EXIT gone
e2e_expect "the refusal" "box=Direct3D 8 could not switch to 2048 x 1536 at 32 bit.
enabled=1" "$E2E_OUT"
e2e_expect "desktop after the refusal" "$desktop" "$(tsln_screen_size)"
[ -z "$(render_window)" ] || e2e_fail "the render window is still there"

xrandr -s 0 >/dev/null 2>&1
e2e_end_scenario
