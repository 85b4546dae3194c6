#!/usr/bin/env bash
# A debug.txt that cannot be written (a folder of that name: neither Wine nor the console can open it as a
# file): the start completes, Apply reports the error and leaves the registry alone.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

write_error="Error writing to the registry"
e2e_scenario profiles/xp-range || e2e_end_scenario
sc_driver_keys
mkdir "$TSLN_PROGRAM_DIR/debug.txt" "$CONSOLE_PROFILE/program/debug.txt"
e2e_start_tsln
e2e_drive wait-main text:IDC_LBLOS text:IDC_LBLDETVERSION text:IDC_LBLADAPTERS rates click:IDC_CHECK1 \
    arrow:IDC_UPDOWN7:+1 click:IDC_CMDAPPLY icon box:Yes icon box:OK no-box menu:IDM_EXIT gone
window=$E2E_OUT
sc_console_status 1 show rates advanced rate 640x480 70 --yes apply
e2e_expect "the start completes" "IDC_LBLOS=Windows XP
IDC_LBLDETVERSION=6.14.10.3082
IDC_LBLADAPTERS=NVIDIA GeForce2 MX/MX 400
$(sc_rate_lines "$E2E_OUT")" "$(printf '%s\n' "$window" | grep -v -e '^icon=' -e '^box=')"
e2e_expect "message boxes" "icon=none
box=Are you sure you want to apply these values to the registry?
icon=error
box=$write_error" "$(printf '%s\n' "$window" | grep -e '^icon=' -e '^box=')"
e2e_expect "console" "[Tessaline] Are you sure you want to apply these values to the registry? [Yes]
[Tessaline] $write_error" "$(printf '%s\n' "$E2E_OUT" | grep '^\[Tessaline\]')"
e2e_expect "value" "<missing>" "$(sc_wine_mode_list NV11_Modes_Delta)"
sc_same_registry NV11_Modes_Delta
sc_same_debug_txt
e2e_end_scenario
