#!/usr/bin/env bash
# Apply Settings in the normal and the compressed syntax (the mask syntax: first-apply.sh and quickset.sh).
# Each written value is compared with the list the console logs for the same clicks and, where it matters,
# with literal text. The rate labels at start are the ones this X server offers (tests/e2e/xorg-dummy.conf):
# 640 x 400 at 85 Hz, 640 x 480 and 1024 x 768 at 60 Hz, everything else "N/A".
# TV-Out resolutions stored before the start: the A section keeps its closing ";". Set Defaults answered
# No keeps the value but shows the system's rates again; answered Yes it writes range list 1 of the
# catalogue, which is this adapter's (GeForce2 MX/MX 400).
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/xp-range)
sc_reg_section "$profile" 'SOFTWARE\TSLN' '"ResW1"="720"' '"ResH1"="480"' '"ResW2"="768"' '"ResH2"="576"'
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
e2e_drive wait-main click:IDC_CHECK1 arrow:IDC_UPDOWN7:+1 click:IDC_CMDAPPLY box:Yes box:OK
window=$E2E_OUT
applied=$(sc_wine_mode_list NV11_Modes_Delta)
e2e_drive arrow:IDC_UPDOWN7:+1 click:IDC_CMDRESET box:No rates
window+=$'\n'$E2E_OUT
e2e_expect "value after Set Defaults answered No" "$applied" "$(sc_wine_mode_list NV11_Modes_Delta)"
e2e_drive click:IDC_CMDRESET box:Yes box:OK menu:IDM_EXIT gone
window+=$'\n'$E2E_OUT

sc_console advanced rate 640x480 70 --yes apply rate 640x480 72 --no defaults rates --yes defaults show-value
console=$E2E_OUT
e2e_expect "message boxes" "$(sc_boxes "$console")" "$(sc_boxes "$window")"
e2e_expect "rate labels after Set Defaults answered No" "$(sc_rate_lines "$console")" "$(sc_rate_lines "$window")"
e2e_expect "640 x 480 after Set Defaults answered No" "640 x 480=60" \
    "$(sc_rate_lines "$window" | grep '^640 x 480=')"
e2e_expect "Apply" "$(sc_logged_list 1)" "$applied"
e2e_expect "Apply, literally" "S 320,200,-,-;320,240,-,-;400,300,-,-;480,360,-,-;512,384,-,-;640,400,-,-75;640,480,-,-60;800,600,-,-;1024,768,-,70-;1152,864,-,-;1280,768,-,-;1280,960,-,-;1280,1024,-,-;1600,900,-,-;1600,1024,-,-;1600,1200,-,-;1920,1080,-,-;1920,1200,-,-;1920,1440,-,-;2048,1536,-,-;A 720,480,-,60;768,576,-,60;" \
    "$applied"
e2e_expect "Set Defaults" "S 1600,900,-16,120;1600,900,32,100-;1600,1024,-16,120;1600,1024,32,100-;1600,1200,-16,120;1600,1200,32,100-;1920,1080,-16,120;1920,1080,32,85-;1920,1200,-16,100-;1920,1200,32,72-;1920,1440,-16,85-;1920,1440,32,70-;2048,1536,-16,70-;2048,1536,32,-" \
    "$(sc_wine_mode_list NV11_Modes_Delta)"
sc_same_registry NV11_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
