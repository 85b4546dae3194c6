# The VSync tester through the real program: choose 640 x 480 at 32 bit with VSync OFF, Go, let frames be
# presented, click to end, and find the dialog back and usable; then a size the X server does not offer
# gives the failure message and the dialog comes back too.

e2e_screen_size() { xdpyinfo | sed -n 's/^ *dimensions: *\([0-9x]*\) pixels.*/\1/p'; }

e2e_scenario vsync-test profiles/demo && {
    e2e_start_tsln
    e2e_drive wait-main menu:2004 "dialog:Tessaline VSync Tester" "type:5002:640 x 480" "type:5003:32 bit" \
        press:5007 click:5004 window:d3d_hWnd
    shot="$E2E_ARTIFACTS/vsync-640x480x32.png"
    for _ in $(seq 1 100); do [ "$(e2e_screen_size)" = 640x480 ] && break; sleep 0.05; done
    # Frames are on screen once the text shows; the square turns a degree a frame and is edge-on twice a
    # turn, so grab until it shows broad too.
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
    e2e_drive window-gone:d3d_hWnd "dialog:Tessaline VSync Tester" no-box enabled-now
    e2e_expect "main window while the tester is open" "enabled=0" "$E2E_OUT"
    for _ in $(seq 1 100); do [ "$(e2e_screen_size)" = 1024x768 ] && break; sleep 0.05; done
    e2e_expect "desktop after the test" 1024x768 "$(e2e_screen_size)"

    # 2048 x 1536 is not among the X server's modes: the device is refused and the dialog comes back.
    e2e_drive "dialog:Tessaline VSync Tester" "type:5002:2048 x 1536" click:5004 box:OK click:5005 \
        "closed:Tessaline VSync Tester" enabled menu:2001 gone
    e2e_expect "the refusal" "box=Direct3D 8 could not switch to 2048 x 1536 at 32 bit.
enabled=1" "$E2E_OUT"
    xrandr -s 0 >/dev/null 2>&1
    e2e_end_scenario
}
