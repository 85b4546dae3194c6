#!/usr/bin/env bash
# The i686 tsln.exe and tessaline.exe on the Windows 2000 PC with a normal list, registered to load at Windows
# start and with TV-Out resolutions of four and three digits stored. tsln.exe's full start (start-normal.sh
# on x64): the three views, the menus, the program's values and debug.txt are what the Linux console shows
# and writes on the same PC; tessaline.exe's "show" is the Linux console's, line for line. Then the VSync
# tester's full-screen test at 640 x 480 x 32 switches the screen, draws its frames (the square and the
# frame-rate line, in pictures taken in the VM), ends on a real click and gives the desktop's mode back.
# shellcheck source=../i686-lib.sh
source "$(dirname "$0")/../i686-lib.sh"

tester="Tessaline VSync Tester"

# Pixels in the frame-rate line's colour (#55CCFF) in the top 20 rows of a 640 x 480 xwd picture, which
# ends in its pixels, 32 bits each.
frame_line_pixels() {
    tail -c $((640 * 480 * 4)) "$1" | head -c $((640 * 20 * 4)) | od -An -v -tx4 | tr -s ' ' '\n' | grep -c '55ccff$'
}

in_vm() {
    local profile
    profile=$(sc_variant profiles/w2k-normal)
    sc_reg_section "$profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000001' '"ResW1"="1024"' \
        '"ResH1"="768"' '"ResW2"="720"' '"ResH2"="576"'
    e2e_scenario "$profile" || return 1
    sc_start_views_drive || return 1
    i686_keep views "$SC_WINDOW"
    i686_save_state
    sc_console_exe show
    i686_keep exe-show "$E2E_OUT"

    i686_keep desktop "$(tsln_screen_size)"
    e2e_start_tsln
    e2e_drive wait-main menu:IDM_D3DTEST "dialog:$tester" "type:IDC_D3D_CMBRES:640 x 480" \
        "type:IDC_D3D_CMBBITRATES:32 bit" press:IDC_D3D_OPTOFF click:IDC_D3D_GO window:d3d_hWnd || return 1
    tsln_wait_screen 640x480 30
    i686_keep during "$(tsln_screen_size)"
    # The first frames take seconds here (4 frames a second at best): picture after picture until the
    # frame-rate line shows; the host checks it.
    for _ in $(seq 1 60); do
        i686_shot frame
        [ "$(frame_line_pixels "$I686_STATE/frame.xwd")" -gt 50 ] && break
        sleep 1
    done
    # The square turns a degree a frame and is edge-on twice a turn: a second picture, of a later frame. On a
    # loaded host a frame can take seconds, so the picture is taken again until it has changed.
    for _ in $(seq 1 30); do
        sleep 1
        i686_shot frame-later
        cmp -s "$I686_STATE/frame.xwd" "$I686_STATE/frame-later.xwd" || break
    done
    xdotool mousemove 320 240 click 1
    e2e_drive window-gone:d3d_hWnd "dialog:$tester" no-box click:IDC_D3D_CANCEL "closed:$tester" \
        menu:IDM_EXIT gone
    tsln_wait_screen "$(i686_kept desktop)" 30
    i686_keep after "$(tsln_screen_size)"
}

on_host() {
    local shot="$E2E_ARTIFACTS/$E2E_NAME-frame.png"
    SC_WINDOW=$(i686_kept views)
    # Ladder mode: one step up from the label's 60 is 70.
    sc_start_views_check 70 || return 1
    sc_same_registry
    sc_same_debug_txt
    sc_console show || return 1
    e2e_expect "tessaline.exe show" "$E2E_OUT" "$(i686_kept exe-show)"

    e2e_expect "screen during the test" 640x480 "$(i686_kept during)"
    e2e_expect "desktop after the click" "$(i686_kept desktop)" "$(i686_kept after)"
    [ -f "$shot" ] || { e2e_fail "no picture of the test"; return 1; }
    [ "$(tsln_text_pixels "$shot" 500x20+0+0)" -gt 150 ] || e2e_fail "no frame-rate line in the test picture"
    [ "$(tsln_text_pixels "$shot" 250x20+0+20)" -gt 150 ] || e2e_fail "no finish line in the test picture"
    awk "BEGIN{exit !($(tsln_lit_share "$shot" 640x400+0+60) > 0.03 ||
        $(tsln_lit_share "$E2E_ARTIFACTS/$E2E_NAME-frame-later.png" 640x400+0+60) > 0.03)}" ||
        e2e_fail "no square in the test pictures"
}

i686_scenario
