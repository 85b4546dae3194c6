#!/usr/bin/env bash
# A TV-Out value with a leading zero is no TV-Out row: typed into the dialog, "0720" and "000" are refused
# with the message naming the box, and nothing is stored (a stored "0720" would block every later Apply).
# Typing real values afterwards works as before. The console's dialog gives the same messages.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/xp-range || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
tv="TV-Out aufloesungen"
e2e_drive wait-main click:IDC_CHECK1 menu:IDM_TVORES \
    dialog:"$tv" type:IDC_TV_TXTW1:0720 type:IDC_TV_TXTH1:480 click:IDC_TV_DONE icon box:OK \
    dialog:"$tv" type:IDC_TV_TXTW1:720 type:IDC_TV_TXTW2:768 type:IDC_TV_TXTH2:000 click:IDC_TV_DONE icon box:OK
window=$E2E_OUT
stored_after_refusals=$(e2e_wine_values "$SC_TSLN_KEY")
e2e_drive dialog:"$tv" type:IDC_TV_TXTH2:576 click:IDC_TV_DONE closed:"$tv" enabled text:IDC_LABEL50 \
    click:IDC_CMDAPPLY box:Yes box:OK menu:IDM_EXIT gone
window+=$'\n'$E2E_OUT
# Each refusal is an error box, which ends a console run.
sc_console_status 1 advanced tvout 0720x480 -
console=$E2E_OUT
sc_console_status 1 advanced tvout 720x480 768x000
console+=$'\n'$E2E_OUT
sc_console advanced tvout 720x480 768x576 show --yes apply

e2e_expect "messages" "$(printf '%s\n' "$console" | grep '^\[Tessaline\]' | head -n 2 | sed 's/^\[Tessaline\] /box=/')" \
    "$(sc_boxes "$window" | head -n 2)"
sc_expect_contains "the refusal of 0720" "Width 1" "$(sc_boxes "$window" | sed -n 1p)"
sc_expect_contains "the refusal of 000" "Height 2" "$(sc_boxes "$window" | sed -n 2p)"
e2e_expect "icons" "icon=error
icon=error" "$(sc_key "$window" icon)"
e2e_expect "nothing stored after the refusals" "LastDetVersion=REG_SZ:6.14.10.3082" "$stored_after_refusals"
e2e_expect "after typing real values" "IDC_LABEL50=Added Resolutions: 720x480; 768x576" "$(sc_key "$window" IDC_LABEL50)"
e2e_expect "stored" "LastDetVersion=REG_SZ:6.14.10.3082
ResH1=REG_SZ:480
ResH2=REG_SZ:576
ResW1=REG_SZ:720
ResW2=REG_SZ:768" "$(e2e_wine_values "$SC_TSLN_KEY")"
sc_expect_ends "the applied list" ";2048,1536,-,-;A 720,480,-,60;768,576,-,60" "$(sc_wine_mode_list NV11_Modes_Delta)"
sc_same_registry NV11_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
