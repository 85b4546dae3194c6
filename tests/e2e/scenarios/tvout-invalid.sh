#!/usr/bin/env bash
# TV-Out input that is no width or height, typed key by key: a message naming the box, nothing stored, and
# the dialog stays until its close box.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/xp-range || e2e_end_scenario
sc_driver_keys
e2e_start_tsln
tv="TV-Out aufloesungen"
e2e_drive wait-main click:IDC_CHECK1 menu:IDM_TVORES \
    dialog:"$tv" type:IDC_TV_TXTW1:72O type:IDC_TV_TXTH1:480 click:IDC_TV_DONE icon box:OK \
    dialog:"$tv" type:IDC_TV_TXTW1:720 "type:IDC_TV_TXTH1: 480" click:IDC_TV_DONE icon box:OK \
    dialog:"$tv" type:IDC_TV_TXTH1:480 type:IDC_TV_TXTW2:12345 type:IDC_TV_TXTH2:576 click:IDC_TV_DONE icon box:OK \
    dialog:"$tv" close-box closed:"$tv" enabled text:IDC_LABEL50 \
    click:IDC_CMDAPPLY icon box:Yes icon box:OK menu:IDM_EXIT gone
window=$E2E_OUT
# Each refusal is an error box, which ends a console run; the last run applies.
sc_console_status 1 advanced tvout 72Ox480 -
console=$E2E_OUT$'\n'
sc_console_status 1 advanced tvout "720x 480" -
console+=$E2E_OUT$'\n'
sc_console_status 1 advanced tvout 720x480 12345x576
console+=$E2E_OUT$'\n'
sc_console advanced --yes apply show-value
console+=$E2E_OUT
e2e_expect "messages, then the closed dialog" "icon=error
box=Width 1 must be a number of three or four digits (for example 720).
icon=error
box=Height 1 must be a number of three or four digits (for example 480).
icon=error
box=Width 2 must be a number of three or four digits (for example 720).
enabled=1
IDC_LABEL50=Added Resolutions: None
icon=none
box=Are you sure you want to apply these values to the registry?
icon=information
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect" "$window"
e2e_expect "console" "$(printf '%s\n' "$window" | sed -n 's/^box=/[Tessaline] /p' | sed '/^\[Tessaline\] Are you sure/s/$/ [Yes]/')" \
    "$(printf '%s\n' "$console" | grep '^\[Tessaline\]')"
e2e_expect "SOFTWARE\\TSLN" "LastDetVersion=REG_SZ:6.14.10.3082" "$(e2e_wine_values "$SC_TSLN_KEY")"
case "$(sc_wine_mode_list NV11_Modes_Delta)" in
*";A "*) e2e_fail "the list has TV-Out entries" ;;
esac
sc_same_registry NV11_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
