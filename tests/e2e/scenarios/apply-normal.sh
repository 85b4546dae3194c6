#!/usr/bin/env bash
# Apply Settings in the normal and the compressed syntax (the mask syntax: first-apply.sh and quickset.sh).
# Each written value is compared with the list the console logs for the same clicks and, where it matters,
# with literal text. The rate labels at start are the ones this X server offers (tests/e2e/xorg-dummy.conf):
# 640 x 400 at 85 Hz, 640 x 480 and 1024 x 768 at 60 Hz, everything else "N/A".
# Two TV-Out resolutions stored before the start; later the dialog replaces them with one of four digits.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

profile=$(sc_variant profiles/w2k-normal)
sc_reg_section "$profile" 'SOFTWARE\TSLN' '"ResW1"="720"' '"ResH1"="480"' '"ResW2"="768"' '"ResH2"="576"'
e2e_scenario "$profile" || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
# 640 x 480 from 60 to 70, 1024 x 768 from 60 to 70, 640 x 400 from 85 to 100; then No.
e2e_drive wait-main click:IDC_CHECK1 arrow:IDC_UPDOWN7:+1 arrow:IDC_UPDOWN9:+1 arrow:IDC_UPDOWN6:+1 rates click:IDC_CMDAPPLY box:No no-box
window=$E2E_OUT
e2e_expect "value after No" "<missing>" "$(sc_wine_mode_list NV20_Modes)"
e2e_expect "debug.txt lines after No" 10 "$(wc -l <"$TSLN_PROGRAM_DIR/debug.txt")"

e2e_drive click:IDC_CMDAPPLY box:Yes box:OK
window+=$'\n'$E2E_OUT
first=$(sc_wine_mode_list NV20_Modes)

# Row 1 of four digits; a "0" in row 2 clears that entry.
e2e_drive menu:IDM_TVORES dialog:"TV-Out aufloesungen" enabled-now text:IDC_TV_TXTW1 text:IDC_TV_TXTH1 text:IDC_TV_TXTW2 text:IDC_TV_TXTH2 \
    type:IDC_TV_TXTW1:1024 type:IDC_TV_TXTH1:768 type:IDC_TV_TXTW2:0 type:IDC_TV_TXTH2:480 click:IDC_TV_DONE closed:"TV-Out aufloesungen" enabled \
    text:IDC_LABEL50 click:IDC_CMDAPPLY box:Yes box:OK
window+=$'\n'$E2E_OUT
second=$(sc_wine_mode_list NV20_Modes)

e2e_drive click:IDC_CMDRESET box:Yes box:OK rates menu:IDM_EXIT gone
window+=$'\n'$E2E_OUT

sc_console advanced rate 640x480 70 rate 1024x768 70 rate 640x400 100 rates --no apply --yes apply \
    tvout 1024x768 0x480 --yes apply --yes defaults rates show-value
console=$E2E_OUT
e2e_expect "rate labels after the moves" "$(sc_rates "$console" 1)" "$(sc_rates "$window" 1)"
e2e_expect "message boxes" "$(sc_boxes "$console")" "$(sc_boxes "$window")"
e2e_expect "rate labels after Set Defaults" "$(sc_rates "$console" 2)" "$(sc_rates "$window" 2)"
e2e_expect "TV-Out dialog" "enabled=0
IDC_TV_TXTW1=720
IDC_TV_TXTH1=480
IDC_TV_TXTW2=768
IDC_TV_TXTH2=576
enabled=1
IDC_LABEL50=Added Resolutions: 1024x768" "$(printf '%s\n' "$window" | grep -E '^(enabled|IDC_TV_TXT..|IDC_LABEL50)=')"
e2e_expect "first Apply" "$(sc_logged_list 1)" "$first"
e2e_expect "Apply after the TV-Out dialog" "$(sc_logged_list 2)" "$second"
# 57 rows of 41 characters joined by two spaces, and three TV-Out rows of 43 for each stored resolution.
e2e_expect "length of the first list" $((2449 + 6 * 43)) "${#first}"
# Rows as the layout makes them: a 16-character head, a 22-character rate field (the chosen rate in
# its column, or blanks), "  0"; rows joined by two spaces; TV-Out rows with 60 Hz only.
sc_expect_contains "TV-Out rows of the 8-bit block, stored before the start" \
    "8   2048 1536$(sc_spaces 27)0  8    720  480   60$(sc_spaces 22)0  8    768  576   60$(sc_spaces 22)0  16   640  480      70$(sc_spaces 19)0" \
    "$first"
sc_expect_ends "TV-Out rows of the 32-bit block, stored before the start" \
    "32  2048 1536$(sc_spaces 27)0  32   720  480   60$(sc_spaces 22)0  32   768  576   60$(sc_spaces 22)0" "$first"
e2e_expect "length of the second list" $((2449 + 3 * 43)) "${#second}"
sc_expect_ends "TV-Out row of four digits" "32  2048 1536$(sc_spaces 27)0  32  1024  768   60$(sc_spaces 22)0" \
    "$second"
defaults=$(sc_wine_mode_list NV20_Modes)
e2e_expect "Set Defaults" "$(sc_key "$console" NV20_Modes | sed 's/^NV20_Modes=//')" "$defaults"
e2e_expect "length of the standard list" 2449 "${#defaults}"
sc_expect_contains "start of the standard list" \
    "8    640  480   60 70 72 75 85 100 120  0  8    320  200   60 70 72 75$(sc_spaces 13)0  8    320  240   " \
    "$defaults"
sc_expect_ends "end of the standard list" "0  32  2048 1536   60$(sc_spaces 22)0" "$defaults"
sc_same_registry NV20_Modes
sc_same_debug_txt
e2e_end_scenario
