#!/usr/bin/env bash
# The demo machine: read what the window shows, switch to Advanced Mode, move two selectors, apply, and
# compare the registry and debug.txt with what the console writes for the same clicks.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

e2e_scenario profiles/demo || e2e_end_scenario
e2e_start_tsln
# 1024 x 768 (UpDown9) two up from the system's 60 Hz; 640 x 400 (UpDown6) one down from 85 Hz.
e2e_drive wait-main text:IDC_LBLOS text:IDC_LBLDETVERSION text:IDC_LBLADAPTERS rates click:IDC_CHECK1 \
    arrow:IDC_UPDOWN9:+1 arrow:IDC_UPDOWN9:+1 arrow:IDC_UPDOWN6:-1 rates \
    click:IDC_CMDAPPLY box:Yes box:OK menu:IDM_EXIT gone
window=$E2E_OUT

e2e_console rates advanced rate 1024x768 62 rate 640x400 74 rates --yes apply show-value
console=$E2E_OUT

e2e_expect "detection labels" "IDC_LBLOS=Windows XP
IDC_LBLDETVERSION=6.14.10.4523
IDC_LBLADAPTERS=NVIDIA GeForce4 Ti 4600" "$(printf '%s\n' "$window" | grep '^IDC_LBL')"
e2e_expect "rate labels at start" "$(sc_rates "$console" 1)" "$(sc_rates "$window" 1)"
e2e_expect "rate labels after the clicks" "$(sc_rates "$console" 2)" "$(sc_rates "$window" 2)"
e2e_expect "message boxes" "box=Are you sure you want to apply these values to the registry?
box=Values added succesfully. Please remember to REBOOT your computer for changes to take effect" \
    "$(sc_boxes "$window")"

console_value=$(printf '%s\n' "$console" | sed -n 's/^NV25_Modes_Delta=//p')
wine_value=$(e2e_wine_value "$TSLN_CLASS_KEY" NV25_Modes_Delta)
e2e_expect "NV25_Modes_Delta" "$console_value" "$wine_value"

# Line 1 carries the time, in the system's format on Windows and ISO on the console.
e2e_expect "debug.txt after line 1" "$(tail -n +2 "$CONSOLE_PROFILE/program/debug.txt")" \
    "$(tail -n +2 "$TSLN_PROGRAM_DIR/debug.txt")"
cmp -s <(tail -n +2 "$CONSOLE_PROFILE/program/debug.txt") <(tail -n +2 "$TSLN_PROGRAM_DIR/debug.txt") ||
    e2e_fail "debug.txt is not the same byte for byte after line 1"
head -n 1 "$TSLN_PROGRAM_DIR/debug.txt" | grep -qE $'^\\[[^]]+\\]\\[[^]]+\\]\r$' ||
    e2e_fail "debug.txt line 1 is not [date][time]"
e2e_end_scenario
